#include "FindText.h"

#include <QRegularExpression>

namespace talvo {

std::optional<FindRequest> ParseFindText(const QString& text) {
    static const QRegularExpression pattern(R"(^\s*(cell|node|c|n)?\s*(\d+)\s*$)",
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    bool ok = false;
    const int id = match.hasMatch() ? match.captured(2).toInt(&ok) : 0;
    if (!ok || id <= 0) {
        return std::nullopt;
    }
    const bool node = match.captured(1).startsWith('n', Qt::CaseInsensitive);
    return FindRequest{node ? FindRequest::Kind::Node : FindRequest::Kind::Cell, id};
}

}  // namespace talvo
