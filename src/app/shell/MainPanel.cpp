// The toolbar panel of the main window, its language menu and its texts.
#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/ExtEdit.h"
#include "shell/GLView.h"
#include "shell/MainWindow.h"
#include "shell/RotationSlider.h"

namespace tk3d {

namespace {

constexpr int kPanelHeight = 66;
constexpr int kButtonSize = 28;

QToolButton* MakeButton(QWidget* parent, const char* name, const char* icon, bool toggle, bool down) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setFixedSize(kButtonSize, kButtonSize);
    b->setAutoRaise(true);
    if (icon) {
        b->setIcon(QIcon(QString(":/icons/%1.svg").arg(icon)));
        b->setIconSize(QSize(20, 20));
    } else {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    }
    b->setCheckable(toggle);
    b->setChecked(down);
    return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

// The zoom label forwards a click to the overview command.
class TClickableLabel : public QLabel {
public:
    TClickableLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), fOnClick(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) fOnClick();
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> fOnClick;
};

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

void TTKL3DForm::BuildPanel() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(kPanelHeight);
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);

    sbFile = MakeButton(Panel1, "sbFile", "open", false, false);
    SpeedButton2 = MakeButton(Panel1, "SpeedButton2", "exit", false, false);
    sbLandschaft = MakeButton(Panel1, "sbLandschaft", "landscape", true, true);
    sbArtNr = MakeButton(Panel1, "sbArtNr", nullptr, true, false);
    sbBez = MakeButton(Panel1, "sbBez", nullptr, true, false);
    sbHoehe = MakeButton(Panel1, "sbHoehe", nullptr, true, false);
    sbSchwellen = MakeButton(Panel1, "sbSchwellen", "ties", true, false);
    sbCoord = MakeButton(Panel1, "sbCoord", "coord", true, true);
    sbPageNums = MakeButton(Panel1, "sbPageNums", "pageborders", true, false);
    sbLayer = MakeButton(Panel1, "sbLayer", "layers", false, false);
    sbLayer->setEnabled(false);
    SpeedButton1 = MakeButton(Panel1, "SpeedButton1", "info", false, false);
    sbPreview = MakeButton(Panel1, "sbPreview", "overview", true, true);
    lblZoom = new TClickableLabel(Panel1, [this] { PreviewClick(); });
    lblZoom->setObjectName("lblZoom");
    lblZoom->setEnabled(false);
    ExtEdit1 = new TExtEdit(Panel1);
    ExtEdit1->setObjectName("ExtEdit1");
    ExtEdit1->SetMaxValue(100);
    ExtEdit1->SetMinValue(1);
    ExtEdit1->SetValue(10);
    ExtEdit1->setFixedWidth(52);
    ExtEdit1->setEnabled(false);
    SpeedButton3 = MakeButton(Panel1, "SpeedButton3", "help", false, false);
    sbPrint = MakeButton(Panel1, "sbPrint", "print", false, false);
    sbPageSetup = MakeButton(Panel1, "sbPageSetup", "pagesetup", false, false);
    sbCopy = MakeButton(Panel1, "sbCopy", "copy", false, false);
    for (QToolButton* b : {sbPrint, sbPageSetup, sbCopy}) b->setEnabled(false);

    lblRotation = MakeLabel(Panel1, "lblRotation");
    lblX = MakeLabel(Panel1, "lblX");
    lblY = MakeLabel(Panel1, "lblY");
    lblZ = MakeLabel(Panel1, "lblZ");
    TrackBar1 = new TRotationSlider(Panel1);
    TrackBar2 = new TRotationSlider(Panel1);
    TrackBar3 = new TRotationSlider(Panel1);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar2->setObjectName("TrackBar2");
    TrackBar3->setObjectName("TrackBar3");

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    for (QWidget* w : std::initializer_list<QWidget*>{sbFile, SpeedButton2, Separator(Panel1), sbLandschaft,
                                                      sbArtNr, sbBez, sbHoehe, sbSchwellen, sbCoord,
                                                      sbPageNums, sbLayer, Separator(Panel1), sbPreview})
        buttons->addWidget(w);
    buttons->addSpacing(4);
    buttons->addWidget(lblZoom);
    buttons->addWidget(ExtEdit1);
    buttons->addWidget(Separator(Panel1));
    for (QWidget* w : std::initializer_list<QWidget*>{sbPrint, sbPageSetup, sbCopy, Separator(Panel1),
                                                      SpeedButton1, SpeedButton3})
        buttons->addWidget(w);
    buttons->addStretch();

    auto* sliders = new QHBoxLayout;
    sliders->addWidget(lblRotation);
    sliders->addSpacing(8);
    for (auto [label, slider] : {std::pair{lblX, TrackBar1}, {lblY, TrackBar2}, {lblZ, TrackBar3}}) {
        sliders->addWidget(label);
        sliders->addWidget(slider, 1);
        sliders->addSpacing(8);
    }

    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(4, 2, 4, 2);
    panelLayout->setSpacing(2);
    panelLayout->addLayout(buttons);
    panelLayout->addLayout(sliders);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName("PopupMenu3");
    miDeutsch = PopupMenu3->addAction(QString());
    miDutch = PopupMenu3->addAction(QString());
    miEnglishGB = PopupMenu3->addAction(QString());
    miEnglish = PopupMenu3->addAction(QString());
    miEnglishGB->setVisible(false);

    sbH = new QScrollBar(Qt::Horizontal, this);
    sbV = new QScrollBar(Qt::Vertical, this);
    sbH->setObjectName("sbH");
    sbV->setObjectName("sbV");
    for (QScrollBar* bar : {sbH, sbV}) {
        bar->setRange(0, 0);
        bar->setSingleStep(100);
        bar->setPageStep(1000);
    }

    auto* central = new QWidget(this);
    central->setAutoFillBackground(true);
    QPalette white = central->palette();
    white.setColor(QPalette::Window, Qt::white);
    central->setPalette(white);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(Panel1, 0, 0, 1, 2);
    grid->addWidget(fView, 1, 0);
    grid->addWidget(sbV, 1, 1);
    grid->addWidget(sbH, 2, 0);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    setCentralWidget(central);
}

void TTKL3DForm::RetranslateUi() {
    sbFile->setToolTip(tr("Datei öffnen"));
    SpeedButton2->setToolTip(tr("Programm beenden"));
    sbLandschaft->setToolTip(tr("Landschaft anzeigen/verbergen"));
    sbArtNr->setText(tr("A"));
    sbArtNr->setToolTip(tr("Artikelnummern anzeigen/verbergen"));
    sbBez->setText(tr("B"));
    sbBez->setToolTip(tr("Bezeichnungen anzeigen/verbergen"));
    sbHoehe->setText(tr("H"));
    sbHoehe->setToolTip(tr("Höhe anzeigen/verbergen"));
    sbSchwellen->setToolTip(tr("Schwellen anzeigen/verbergen"));
    sbCoord->setToolTip(tr("Koordinatenkreuz anzeigen/verbergen"));
    sbPageNums->setToolTip(tr("Seitenränder anzeigen/verbergen"));
    sbLayer->setToolTip(tr("Layer wählen"));
    SpeedButton1->setToolTip(tr("Info"));
    sbPreview->setToolTip(tr("Gesamtansicht ein/aus"));
    lblZoom->setText(tr("Zoom: 1:"));
    SpeedButton3->setToolTip(tr("Hilfe"));
    sbPrint->setToolTip(tr("Datei drucken"));
    sbPageSetup->setToolTip(tr("Seite einrichten"));
    sbCopy->setToolTip(tr("In Druckerauflösung in die Zwischenablage kopieren"));
    lblRotation->setText(tr("Rotation"));
    lblX->setText(tr("X:"));
    lblY->setText(tr("Y:"));
    lblZ->setText(tr("Z:"));
    miDeutsch->setText(tr("&Deutsch"));
    miDutch->setText(tr("D&utch"));
    miEnglishGB->setText(tr("E&nglish (Great Britain)"));
    miEnglish->setText(tr("&English"));
}

}  // namespace tk3d
