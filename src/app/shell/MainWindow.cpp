#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QThread>
#include <QToolButton>
#include <cstdlib>

#include "controls/ExtEdit.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/RailList.h"
#include "objects/BusyCursor.h"
#include "shell/AboutBox.h"
#include "shell/GLView.h"
#include "shell/Help.h"
#include "shell/Language.h"
#include "shell/LayerDialog.h"
#include "shell/LoadProgress.h"
#include "shell/Messages.h"
#include "shell/RotationSlider.h"
#include "shell/ViewerSettings.h"
#include "shell/WindowPlacement.h"

namespace tk3d {

namespace {

int ScrollExtent(int32_t v) { return v == INT32_MIN ? INT32_MAX : std::abs(v); }

void ShowBusyCursor(bool busy) {
    // Loads of big files run on a worker thread; the cursor is the GUI's.
    if (!qApp || QThread::currentThread() != qApp->thread()) return;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace

TTKL3DForm::TTKL3DForm(const QStringList& arguments) : fArguments(arguments), fView(new TGLView(this)) {
    setObjectName("TKL3DForm");
    setProperty("HelpContext", kHelpContextMain);
    fView->setObjectName("View");
    BuildPanel();
    RetranslateUi();
    ConnectCommands();
    resize(1000, 720);
    SetBusyHook(ShowBusyCursor);

    UpdateCaption();
    const TViewerSettings settings = TViewerSettings::Read();
    fDefFileDir = settings.DefFileDir;
    if (const std::optional<TWindowPlacement> placement = TWindowPlacement::Decode(settings.Placement))
        placement->ApplyTo(*this);
    ExtEdit1->SetMaxValue(100);
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(kStartMessage)));
    setAcceptDrops(true);
    InstallHelpHook();
}

TTKL3DForm::~TTKL3DForm() {
    // The view outlives the members: it must not keep the document.
    fView->SetDocument(nullptr);
    SetBusyHook(nullptr);
}

void TTKL3DForm::ConnectCommands() {
    connect(sbFile, &QToolButton::clicked, this, &TTKL3DForm::OpenCommand);
    connect(SpeedButton2, &QToolButton::clicked, this, &QWidget::close);
    connect(sbLandschaft, &QToolButton::clicked, this, [this] {
        fView->State().Landscape = sbLandschaft->isChecked();
        RebuildScene();
        Repaint();
    });
    for (QToolButton* b : {sbArtNr, sbBez, sbHoehe, sbSchwellen})
        connect(b, &QToolButton::clicked, this, [this, b] { SettingsToggleClick(b); });
    connect(sbCoord, &QToolButton::clicked, this, &TTKL3DForm::ViewChanged);
    connect(sbPageNums, &QToolButton::clicked, this, &TTKL3DForm::Repaint);
    connect(sbLayer, &QToolButton::clicked, this, &TTKL3DForm::LayerCommand);
    connect(SpeedButton1, &QToolButton::clicked, this, &TTKL3DForm::InfoCommand);
    connect(sbPreview, &QToolButton::clicked, this, &TTKL3DForm::PreviewClick);
    connect(ExtEdit1, &TExtEdit::ValueChanged, this, &TTKL3DForm::PreviewClick);
    connect(SpeedButton3, &QToolButton::clicked, this, [] { ShowHelpContext(kHelpContextMain); });
    for (TRotationSlider* s : {TrackBar1, TrackBar2, TrackBar3})
        connect(s, &QSlider::valueChanged, this, &TTKL3DForm::ViewChanged);
    for (QScrollBar* s : {sbH, sbV}) connect(s, &QScrollBar::valueChanged, this, &TTKL3DForm::ViewChanged);

    connect(Panel1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu3->exec(Panel1->mapToGlobal(pos)); });
    connect(miDeutsch, &QAction::triggered, this, [this] { SwitchLanguage(""); });
    connect(miDutch, &QAction::triggered, this, [this] { SwitchLanguage("NLD"); });
    connect(miEnglishGB, &QAction::triggered, this, [this] { SwitchLanguage("ENG"); });
    connect(miEnglish, &QAction::triggered, this, [this] { SwitchLanguage("ENU"); });

    connect(fView, &TGLView::Dragged, this, [this](int degreesX, int degreesZ) {
        TrackBar1->TurnBy(degreesX);
        TrackBar3->TurnBy(degreesZ);
    });
    connect(fView, &TGLView::WheelTurned, this, &TTKL3DForm::WheelTurned);

    auto* open = new QAction(this);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, sbFile, &QToolButton::click);
    auto* quit = new QAction(this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addActions({open, quit});
}

bool TTKL3DForm::event(QEvent* event) {
    if (event->type() == QEvent::Type(kStartMessage)) {
        StartMessage();
        return true;
    }
    return QMainWindow::event(event);
}

void TTKL3DForm::StartMessage() {
    if (!fArguments.isEmpty())
        OpenFile(fArguments.first());
    else
        UpdateButtons();
}

bool TTKL3DForm::Overview() const { return sbPreview->isChecked(); }

void TTKL3DForm::OpenFile(const QString& name) {
    fView->SetDocument(nullptr);
    fDocument.reset();
    fFileName.clear();
    try {
        fDocument = LoadLayoutFile(name, this);
    } catch (const std::exception& e) {
        ShowErrorBox(this, e);
    }
    if (fDocument) {
        fFileName = name;
        const TRect r = fDocument->GetBounds(false);
        // Symmetric ranges also for layouts that lie left of or below the
        // origin.
        sbH->setRange(-ScrollExtent(r.Right), ScrollExtent(r.Right));
        sbV->setRange(-ScrollExtent(r.Bottom), ScrollExtent(r.Bottom));
        sbH->setValue(0);
        sbV->setValue(0);
        TBusyScope busy;
        fView->SetDocument(fDocument.get());
        Repaint();
    }
    // Also after a failure: the caption and buttons must not show the file
    // that was closed.
    UpdateCaption();
    UpdateButtons();
}

void TTKL3DForm::RebuildScene() {
    TBusyScope busy;
    fView->RebuildScene();
}

void TTKL3DForm::Repaint() { fView->update(); }

void TTKL3DForm::UpdateCaption() {
    if (fFileName.isEmpty())
        setWindowTitle(ApplicationTitle());
    else
        setWindowTitle(QString("%1 - %2").arg(ApplicationTitle(), QFileInfo(fFileName).completeBaseName()));
}

void TTKL3DForm::UpdateButtons() {
    const bool open = fDocument != nullptr;
    if (open) {
        sbArtNr->setChecked(GlobalSettings.ShowArtNr());
        sbBez->setChecked(GlobalSettings.ShowDescription());
        sbHoehe->setChecked(GlobalSettings.ShowHeights());
        sbSchwellen->setChecked(GlobalSettings.ShowTies());
    }
    for (QToolButton* b : {sbLayer, sbPrint, sbPageSetup, sbCopy}) b->setEnabled(open);
}

void TTKL3DForm::OpenCommand() {
    QFileDialog dialog(this, tr("Datei öffnen"), fDefFileDir);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({tr("Trakona-Dateien (*.tkl)"), tr("Alle dateien (*)")});
    dialog.setDefaultSuffix("tkl");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString chosen = dialog.selectedFiles().first();
    OpenFile(chosen);
    fDefFileDir = QFileInfo(chosen).absolutePath() + "/";
}

void TTKL3DForm::SettingsToggleClick(QToolButton* button) {
    const bool down = button->isChecked();
    if (button == sbArtNr) GlobalSettings.SetShowArtNr(down);
    if (button == sbBez) GlobalSettings.SetShowDescription(down);
    if (button == sbHoehe) GlobalSettings.SetShowHeights(down);
    if (button == sbSchwellen) GlobalSettings.SetShowTies(down);
    RebuildScene();
    Repaint();
}

void TTKL3DForm::PreviewClick() {
    const bool overview = Overview();
    ExtEdit1->setEnabled(!overview);
    lblZoom->setEnabled(!overview);
    fView->State().Overview = overview;
    fView->State().Zoom = ExtEdit1->ValueAsInteger();
    RebuildScene();
    Repaint();
}

void TTKL3DForm::LayerCommand() {
    if (!fDocument) return;
    if (ShowLayerDialog(*fDocument, this)) {
        RebuildScene();
        Repaint();
    }
}

void TTKL3DForm::InfoCommand() {
    TInfoForm info(this);
    info.exec();
}

void TTKL3DForm::ViewChanged() {
    TGLView::TViewState& s = fView->State();
    s.RotX = TrackBar1->value();
    s.RotY = TrackBar2->value();
    s.RotZ = TrackBar3->value();
    s.ScrollX = sbH->value();
    s.ScrollY = sbV->value();
    s.ShowCross = sbCoord->isChecked();
    Repaint();
}

void TTKL3DForm::WheelTurned(int steps, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ControlModifier) {
        if (Overview()) return;
        const int z = ExtEdit1->ValueAsInteger();
        // About a tenth per step, at least one.
        const int next = steps > 0 ? std::min(z - 1, int(std::lround(z / 1.1)))
                                   : std::max(z + 1, int(std::lround(z * 1.1)));
        ExtEdit1->SetValue(next);
        PreviewClick();
    } else if (modifiers & Qt::ShiftModifier) {
        sbH->setValue(sbH->value() - steps * sbH->singleStep());
    } else {
        sbV->setValue(sbV->value() - steps * sbV->singleStep());
    }
}

void TTKL3DForm::SwitchLanguage(const QString& code) {
    if (code.isEmpty())
        UseBuiltInTexts();
    else if (!LoadLanguageLibrary(LocaleOfCode(code)))
        return;
    SetApplicationTitleFromTexts();
    const TWindowPlacement placement = TWindowPlacement::Of(*this);
    hide();
    ReloadForms();
    placement.ApplyTo(*this);
    UpdateCaption();
    UpdateButtons();
    show();
    WriteLanguagePreference(code);
}

void TTKL3DForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void TTKL3DForm::SaveSettings() {
    if (fSettingsSaved) return;
    fSettingsSaved = true;
    setAcceptDrops(false);
    fView->SetDocument(nullptr);
    fDocument.reset();
    TViewerSettings settings;
    settings.DefFileDir = fDefFileDir;
    settings.Placement = TWindowPlacement::Of(*this).Encode();
    settings.Write();
}

void TTKL3DForm::closeEvent(QCloseEvent* event) {
    SaveSettings();
    QMainWindow::closeEvent(event);
}

void TTKL3DForm::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void TTKL3DForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    // Only the first of several dropped files is opened.
    OpenFile(urls.first().toLocalFile());
}

}  // namespace tk3d
