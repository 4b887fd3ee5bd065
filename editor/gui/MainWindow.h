#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <memory>
#include <optional>

#include "ColourScheme.h"
#include "Dialogs.h"
#include "EditorDocument.h"
#include "MapEditor.h"
#include "MapView.h"
#include "PanelContext.h"
#include "model/Prompter.h"

class QAction;
class QDialog;
class QMenu;
class QScrollBar;

namespace talvo {

class ConfigurationPanel;
class MapCanvas;

// frmTalvoEditor: the editor's main window with its menus, the map frame and the
// configuration panel. Messages go through the prompter, file and colour choices through
// the dialogs interface; both default to the real Qt ones.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Visual Talvo Editor";
    static constexpr const char* kProjectFilter =
        "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt";

    // programDir holds "conf.txt"; empty means the executable's directory.
    explicit MainWindow(Prompter* prompter = nullptr, Dialogs* dialogs = nullptr,
                        const QString& programDir = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    EditorDocument& document() { return doc_; }
    MapEditor& editor() { return editor_; }
    MapView& view() { return view_; }
    const ColourScheme& colours() const { return colours_; }
    MapCanvas* canvas() const { return canvas_; }
    QString settingsPath() const;

    // Opens a project file as "&Open ..." does after its dialog. True when it was read.
    bool OpenProjectFile(const std::string& path, ProjectLayout layout);
    void RedrawMap();

    // How modal dialogs and pop-up menus run; tests replace these to answer them.
    std::function<int(QDialog&)> runDialog;
    std::function<void(QMenu*, QPoint)> popupMenu;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildLayout();
    void OpenAtLayoutSize();
    QAction* AddAction(QMenu* menu, const char* objectName, const QString& caption);
    void SyncScrollBars();
    void UpdateToolChecks();
    void ChooseTool(Tool tool);
    void ShowPopup(MapEditor::PopupMenu menu, QPoint pixel);
    void ZoomIn();
    void ResetZoom();
    void ZoomChanged(double oldZoom);
    void SetCaption();

    // File commands.
    void FileNew();
    void FileOpen(ProjectLayout layout);
    bool FileSave(bool askName);
    bool ConfirmDiscard();

    void OpenCellDialog();
    void OpenGlobalDialog();
    void OpenColourDialog();
    void OpenOriginDialog(int position);

    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Prompter& prompter_;
    Dialogs& dialogs_;
    QString programDir_;

    EditorDocument doc_;
    MapView view_;
    ColourScheme colours_;
    MapEditor editor_;
    PanelContext panelContext_;

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
