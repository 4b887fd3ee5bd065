#pragma once
// Printing a picture, as both programs print their maps and plots: Qt's print dialog, then
// the picture on one page, a printer that cannot be used reported rather than passed over.

#include <QString>
#include <optional>
#include <string>

class QImage;
class QPrinter;
class QWidget;

namespace talvo {

class Prompter;

inline constexpr const char* kPrinterUnusable = "The printer cannot be used.";

// Qt's print dialog over the printer: true when the user chose to print. An empty title
// keeps Qt's own.
bool ChoosePrinter(QPrinter& printer, QWidget* parent, const QString& title = {});

// Prints the picture on one page, as large as the page allows with its proportions kept.
// Returns the error message when the printer cannot be begun.
std::optional<std::string> PrintPicture(const QImage& picture, QPrinter& printer);

// The same, a printer that cannot be begun shown as a refusal. Returns whether it printed.
bool PrintPicture(const QImage& picture, QPrinter& printer, Prompter& prompter);

}  // namespace talvo
