#include "RunDirectoryDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvo {

namespace {

constexpr const char* kParentEntry = "..";

// The remembered directory may have gone since; fall back to the nearest one that exists.
QString NearestExisting(QString path) {
    QDir dir(path);
    while (!dir.exists() && !dir.isRoot()) {
        if (!dir.cdUp()) {
            break;
        }
    }
    return dir.exists() ? dir.absolutePath() : QDir::rootPath();
}

}  // namespace

QString FirstRunDirectory(const QString& projectFile) {
    if (projectFile.isEmpty()) {
        return QDir::homePath();
    }
    const QDir folder = QFileInfo(projectFile).absoluteDir();
    const QString runs = folder.absoluteFilePath("runs");
    return QFileInfo(runs).isDir() ? runs : folder.absolutePath();
}

RunDirectoryDialog::RunDirectoryDialog(RunDirectoryMemory& memory, const QString& firstDir,
                                       QWidget* parent)
    : QDialog(parent), memory_(memory) {
    setObjectName("dlgCTM");
    setWindowTitle("CTM Running Directory");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    path_ = new QLabel(this);
    path_->setObjectName("lblRunDir");
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(path_);

    typedPath_ = new QLineEdit(this);
    typedPath_->setObjectName("txtRunDir");
    typedPath_->setPlaceholderText("Type a directory and press Enter");
    layout->addWidget(typedPath_);

    list_ = new QListWidget(this);
    list_->setObjectName("runDir");
    layout->addWidget(list_, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* newFolder = buttons->addButton("&New Folder", QDialogButtonBox::ActionRole);
    newFolder->setObjectName("cmdNewFolder");
    newFolder->setAutoDefault(false);
    connect(newFolder, &QPushButton::clicked, this, &RunDirectoryDialog::makeNewFolder);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setAutoDefault(false);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelButtom");
    cancel->setAutoDefault(false);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &RunDirectoryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RunDirectoryDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &RunDirectoryDialog::enterItem);
    connect(typedPath_, &QLineEdit::returnPressed, this,
            [this] { showDirectory(QDir::cleanPath(typedPath_->text())); });
    // The line edit passes Enter on to the dialog, whose default button would start the run.
    typedPath_->installEventFilter(this);

    const QString start = memory_.lastShown.isEmpty() ? firstDir : memory_.lastShown;
    showDirectory(NearestExisting(start));
    resize(480, 420);
}

bool RunDirectoryDialog::showDirectory(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir()) {
        typedPath_->setText(shown_);
        return false;
    }
    shown_ = QDir(info.absoluteFilePath()).absolutePath();
    memory_.lastShown = shown_;
    path_->setText(shown_);
    typedPath_->setText(shown_);
    fillList();
    return true;
}

bool RunDirectoryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == typedPath_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit typedPath_->returnPressed();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool RunDirectoryDialog::makeNewFolder() {
    QDir dir(shown_);
    for (int n = 1; n < 10000; ++n) {
        const QString name = QString("run-%1").arg(n);
        if (dir.exists(name)) {
            continue;
        }
        return dir.mkdir(name) && showDirectory(dir.absoluteFilePath(name));
    }
    return false;
}

void RunDirectoryDialog::fillList() {
    list_->clear();
    const QDir dir(shown_);
    if (!dir.isRoot()) {
        list_->addItem(kParentEntry);
    }
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    list_->addItems(names);
}

void RunDirectoryDialog::enterItem(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    QDir dir(shown_);
    if (item->text() == kParentEntry) {
        dir.cdUp();
        showDirectory(dir.absolutePath());
    } else {
        showDirectory(dir.absoluteFilePath(item->text()));
    }
}

QString RunDirectoryDialog::highlightedDirectory() const {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        return shown_;
    }
    QDir dir(shown_);
    if (item->text() == kParentEntry) {
        dir.cdUp();
        return dir.absolutePath();
    }
    return dir.absoluteFilePath(item->text());
}

void RunDirectoryDialog::accept() {
    // A folder highlighted in the list is the one chosen, as in any directory chooser.
    result_ = highlightedDirectory();
    memory_.lastShown = result_;
    QDialog::accept();
}

void RunDirectoryDialog::reject() {
    result_.clear();
    QDialog::reject();
}

}  // namespace talvo
