// The viewer's main window: owns the open document, hosts the 3D view below
// the toolbar panel, and turns the toolbar, sliders, scroll bars, dropped
// files and the command line into actions on the document, the settings
// record and the view.
#pragma once
#include <QMainWindow>
#include <QStringList>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;

namespace tk3d {

class TExtEdit;
class TGLView;
class TRailList;
class TRotationSlider;

class TTKL3DForm : public QMainWindow {
    Q_OBJECT
public:
    // The number of the start message the window posts itself.
    static constexpr int kStartMessage = 1124;

    // arguments: the command line without the program; the first names the
    // file opened once the view exists.
    explicit TTKL3DForm(const QStringList& arguments = {});
    ~TTKL3DForm() override;

    void OpenFile(const QString& name);
    // Recompiles the scene (geometry, scale, layers or a switch changed).
    void RebuildScene();
    // Paints the view again without recompiling.
    void Repaint();
    void UpdateCaption();
    void UpdateButtons();
    // code: "" for German, else "NLD", "ENG" or "ENU".
    void SwitchLanguage(const QString& code);

    const TRailList* Document() const { return fDocument.get(); }
    const QString& FileName() const { return fFileName; }
    const QString& DefFileDir() const { return fDefFileDir; }
    TGLView* View() const { return fView; }
    bool Overview() const;

    // The controls, named as in the window definition.
    QWidget* Panel1;
    QToolButton* sbFile;
    QToolButton* SpeedButton2;
    QToolButton* sbLandschaft;
    QToolButton* sbArtNr;
    QToolButton* sbBez;
    QToolButton* sbHoehe;
    QToolButton* sbSchwellen;
    QToolButton* sbCoord;
    QToolButton* sbPageNums;
    QToolButton* sbLayer;
    QToolButton* SpeedButton1;
    QToolButton* sbPreview;
    QLabel* lblZoom;
    TExtEdit* ExtEdit1;
    QToolButton* SpeedButton3;
    QToolButton* sbPrint;
    QToolButton* sbPageSetup;
    QToolButton* sbCopy;
    QLabel* lblRotation;
    QLabel* lblX;
    QLabel* lblY;
    QLabel* lblZ;
    TRotationSlider* TrackBar1;
    TRotationSlider* TrackBar2;
    TRotationSlider* TrackBar3;
    QScrollBar* sbH;
    QScrollBar* sbV;
    QMenu* PopupMenu3;
    QAction* miDeutsch;
    QAction* miDutch;
    QAction* miEnglishGB;
    QAction* miEnglish;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // MainPanel.cpp: the toolbar panel and its texts.
    void BuildPanel();
    void RetranslateUi();
    void ConnectCommands();

    void StartMessage();
    void OpenCommand();
    void SettingsToggleClick(QToolButton* button);
    void PreviewClick();
    void LayerCommand();
    void InfoCommand();
    void ViewChanged();
    void WheelTurned(int steps, Qt::KeyboardModifiers modifiers);
    void SaveSettings();

    std::unique_ptr<TRailList> fDocument;
    QString fFileName;
    QString fDefFileDir;
    QStringList fArguments;
    TGLView* fView;
    bool fSettingsSaved = false;
};

}  // namespace tk3d
