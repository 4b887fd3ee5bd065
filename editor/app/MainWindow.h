#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <memory>
#include <optional>

#include "PanelContext.h"
#include "core/ColourScheme.h"
#include "core/Dialogs.h"
#include "core/EditorModel.h"
#include "core/FileCommands.h"
#include "core/MapEditor.h"
#include "core/MapView.h"
#include "model/Prompter.h"

class QAction;
class QDialog;
class QMenu;
class QScrollBar;

namespace talvo {

class ConfigurationPanel;
class EditorCommands;
class MapCanvas;

// frmTalvoEditor: the editor's main window, a thin layer over the model and the tools.
// It lays out the map frame and the configuration panel, builds the menus with each entry
// wired to its command where it is made, and shows what the model and the tools announce.
// Messages go through its one prompter and file and colour choices through its one
// dialogs object; both default to the real Qt ones.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Visual Talvo Editor";

    // programDir holds "conf.txt", the engine and its start script; empty means the
    // executable's directory.
    explicit MainWindow(Prompter* prompter = nullptr, Dialogs* dialogs = nullptr,
                        const QString& programDir = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    EditorModel& model() { return model_; }
    MapEditor& editor() { return editor_; }
    MapView& view() { return view_; }
    EditorCommands& commands() { return *commands_; }
    const ColourScheme& colours() const { return colours_; }
    MapCanvas* canvas() const { return canvas_; }
    QString settingsPath() const;

    // Opens a project file as "&Open ..." does after its dialog. True when it was read.
    bool OpenProjectFile(const std::string& path, ProjectLayout layout);

    // How modal dialogs and pop-up menus run; tests replace these to answer them.
    std::function<int(QDialog&)> runDialog;
    std::function<void(QMenu*, QPoint)> popupMenu;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildLayout();
    void OpenAtLayoutSize();
    QAction* AddAction(QMenu* menu, const char* objectName, const QString& caption,
                       std::function<void()> handler,
                       QKeySequence::StandardKey key = QKeySequence::UnknownKey);
    QMenu* AddMenu(QMenu* parent, const char* objectName, const QString& caption);
    void SyncScrollBars();
    void UpdateToolChecks();
    void ShowPopup(MapEditor::PopupMenu menu, QPoint pixel);
    void ZoomIn();
    void ResetZoom();
    void ZoomChanged(double oldZoom);
    void ShowCaption();
    void Refuse(const EditResult& result);

    void OpenCellDialog();
    void OpenGlobalDialog();
    void OpenColourDialog();
    void OpenOriginDialog(int position);

    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Prompter& prompter_;
    Dialogs& dialogs_;
    QString programDir_;

    EditorModel model_;
    MapView view_;
    ColourScheme colours_;
    MapEditor editor_;
    FileCommands files_;
    PanelContext panelContext_;
    EditorCommands* commands_ = nullptr;

    MapCanvas* canvas_ = nullptr;
    ConfigurationPanel* panel_ = nullptr;
    QScrollBar* hsbMap_ = nullptr;
    QScrollBar* vsbMap_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* formatMenu_ = nullptr;
    QMenu* zoomMenu_ = nullptr;
    QAction* toolActions_[4] = {};
    std::optional<QPoint> zoomPointer_;  // pixels, while the map's zoom pop-up is open
};

}  // namespace talvo
