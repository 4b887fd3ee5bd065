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
#include "platform/Prompter.h"
#include "scene/Viewport.h"

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;

namespace talvo {

class CheckListDock;
class ConfigurationPanel;
struct ExportProblem;
class EditorCommands;
class MapCanvas;
class MapLegend;

// frmTalvoEditor: the editor's main window, a thin layer over the model and the tools.
// It lays out the map frame, which takes the room the window has, beside the configuration
// panel in a dock, builds the menus with each entry wired to its command where it is made, and
// shows what the model and the tools announce, in the status bar too. Messages go through its one
// prompter and file and colour choices through its one dialogs object; both default to the real Qt
// ones.
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
    scene::Viewport& view() { return view_; }
    EditorCommands& commands() { return *commands_; }
    const ColourScheme& colours() const { return colours_; }
    MapCanvas* canvas() const { return canvas_; }
    QString settingsPath() const;

    // Opens a project file as "&Open ..." does after its dialog. True when it was read.
    bool OpenProjectFile(const std::string& path, ProjectLayout layout);
    // The same, with the map then fitted to the network, as the menus and the command line
    // open a project for the user.
    bool OpenAndShowProject(const std::string& path);
    // The find box's Enter: the cell or node named ("12", "c12", "n3") is selected and put
    // in the middle of the map. False, with a word in the status bar, when there is none.
    bool FindOnMap(const QString& text);

    // How modal dialogs and pop-up menus run; tests replace these to answer them.
    std::function<int(QDialog&)> runDialog;
    std::function<void(QMenu*, QPoint)> popupMenu;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildLayout();
    // The tools, zoom and run beside a find box, from the menus' own entries.
    void BuildToolBar();
    void OpenAtLayoutSize();
    QAction* AddAction(QMenu* menu, const char* objectName, const QString& caption,
                       std::function<void()> handler,
                       QKeySequence::StandardKey key = QKeySequence::UnknownKey);
    QMenu* AddMenu(QMenu* parent, const char* objectName, const QString& caption);
    void UpdateToolChecks();
    // Runs an open whose project, when one comes in, is fitted to the map.
    void Fitted(const std::function<void()>& open);
    // "&Window": one entry per open run window, which brings it to the front.
    void FillWindowMenu(QMenu* menu);
    // "Recen&t Projects": the projects opened or saved last, most recent first.
    void FillRecentMenu(QMenu* menu);
    // A check list entry chosen: what it names is selected on the map.
    void SelectProblem(const ExportProblem& problem);
    void ShowPopup(MapEditor::PopupMenu menu, QPoint pixel);
    // From the map's pop-up the map point under the pointer stays there; from the menu bar
    // the one at the picture's centre, so that what is being looked at stays in view.
    void ZoomTo(double zoom);
    void ZoomIn();
    void ShowStatus();
    void ShowCaption();
    void Refuse(const EditResult& result);

    void OpenCellDialog();
    void OpenGlobalDialog();
    void OpenColourDialog();
    void OpenOriginDialog(int cellID);

    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Prompter& prompter_;
    Dialogs& dialogs_;
    QString programDir_;

    EditorModel model_;
    scene::Viewport view_;
    ColourScheme colours_;
    MapEditor editor_;
    FileCommands files_;
    PanelContext panelContext_;
    EditorCommands* commands_ = nullptr;

    MapCanvas* canvas_ = nullptr;
    ConfigurationPanel* panel_ = nullptr;
    MapLegend* legend_ = nullptr;
    CheckListDock* checks_ = nullptr;
    QLineEdit* edtFind_ = nullptr;
    QLabel* lblTool_ = nullptr;
    QLabel* lblSelection_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* formatMenu_ = nullptr;
    QMenu* zoomMenu_ = nullptr;
    QAction* toolActions_[4] = {};
    std::optional<QPoint> zoomPointer_;
    QString recordedProject_;
    bool fitWhenReplaced_ = false;  // the last file name put among the recent projects  // pixels,
                                    // while the map's zoom pop-up is open
};

}  // namespace talvo
