#include "shell/LayerDialog.h"

#include <QEvent>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "layoutfile/GlobalState.h"
#include "layoutfile/RailList.h"
#include "shell/Help.h"

namespace tk3d {

QString LayerDisplayName(int layer) {
    if (layer >= 0 && size_t(layer) < LayerNames.size() && !LayerNames[size_t(layer)].empty())
        return QString::fromStdString(LayerNames[size_t(layer)]);
    return QString::asprintf("%.3d", layer);
}

TLayerSet UsedLayers(const TRailList& document) {
    TLayerSet used;
    document.ForEach([&](const TBasicRailObject& object) { used.Add(object.Layer); });
    return used;
}

bool LayerInUse(const TRailList& document, int layer) { return UsedLayers(document).Contains(layer); }

TLayerForm::TLayerForm(QWidget* parent)
    : TPopUpParentForm(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                                   Qt::WindowCloseButtonHint),
      CheckListBox1(new QListWidget(this)),
      Button1(new QPushButton(this)),
      Button2(new QPushButton(this)),
      Bevel1(new QFrame(this)) {
    setObjectName("LayerForm");
    setProperty("HelpContext", kHelpContextMain);
    CheckListBox1->setObjectName("CheckListBox1");
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(7, 7, 189, 254);
    CheckListBox1->setGeometry(13, 13, 176, 241);
    Bevel1->lower();
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    // Only a user's click changes an entry's check; filling blocks signals.
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this] { UpdateOKButton(); });
    RetranslateUi();
    UpdateOKButton();
}

void TLayerForm::RetranslateUi() {
    setWindowTitle(tr("Layer wählen"));
    Button1->setText(tr("OK"));
    Button2->setText(tr("Abbrechen"));
    // The buttons keep their place but grow with texts that the font or
    // the language makes wider; the dialog grows with them.
    const int w = std::max({61, Button1->sizeHint().width(), Button2->sizeHint().width()});
    Button1->setGeometry(208, 31, w, 20);
    Button2->setGeometry(208, 55, w, 21);
    setFixedSize(std::max(281, 208 + w + 12), 265);
}

void TLayerForm::changeEvent(QEvent* event) {
    TPopUpParentForm::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

void TLayerForm::Fill(const TRailList& document) {
    const TLayerSet used = UsedLayers(document);
    const TLayerSet visible = GlobalSettings.VisibleLayers();
    const QSignalBlocker block(CheckListBox1);
    for (int layer : used.Layers()) {
        auto* item = new QListWidgetItem(LayerDisplayName(layer), CheckListBox1);
        item->setData(Qt::UserRole, layer);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(visible.Contains(layer) ? Qt::Checked : Qt::Unchecked);
    }
}

TLayerSet TLayerForm::CheckedLayers() const {
    TLayerSet checked;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        const QListWidgetItem* item = CheckListBox1->item(i);
        if (item->checkState() == Qt::Checked) checked.Add(item->data(Qt::UserRole).toInt());
    }
    return checked;
}

void TLayerForm::UpdateOKButton() { Button1->setEnabled(!CheckedLayers().IsEmpty()); }

bool ShowLayerDialog(const TRailList& document, QWidget* parent) {
    auto form = std::make_unique<TLayerForm>(parent);
    form->Fill(document);
    // The OK button follows the initial checks, so that a list shown with
    // checked entries can be confirmed at once.
    form->UpdateOKButton();
    if (QScreen* screen = form->screen())
        form->move(screen->availableGeometry().center() - form->rect().center());
    if (form->exec() != QDialog::Accepted) return false;
    TGlobalSettings& settings = GlobalSettings;
    settings.SetVisibleLayers(form->CheckedLayers());
    return true;
}

}  // namespace tk3d
