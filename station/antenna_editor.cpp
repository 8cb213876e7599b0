#include "station/antenna_editor.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/antennas.h"
#include "station/antenna_drawing.h"
#include "station/local_text.h"
#include "station/file_io.h"
#include "station/near_field_service.h"
#include "station/number_field.h"
#include "station/station_document.h"

namespace zento::station {
namespace {

// A name core keeps in English, as the window shows it.
QString Text(std::string_view text) { return TrQ(text); }

QComboBox* Combo(QWidget* parent, const char* name, const QStringList& items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(12);
  combo->addItems(items);
  return combo;
}

// A new model of a kind: what every kind has is kept from the old one, the rest is the kind's own
// default (a station file keeps only a kind's own keys).
AntennaModel OfKind(AntennaKind kind, const std::optional<AntennaModel>& old) {
  AntennaModel m;
  m.kind = kind;
  if (old) {
    m.designMHz = old->designMHz;
    m.wireRadiusMm = old->wireRadiusMm;
    m.conductivitySm = old->conductivitySm;
  }
  return m;
}

bool IsInRowLayout(QFormLayout* form, QWidget* field) {
  for (int row = 0; row < form->rowCount(); ++row) {
    QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole);
    if (item != nullptr && item->layout() != nullptr && item->layout()->indexOf(field) >= 0) return true;
  }
  return false;
}

// The folder a NEC-2 file is looked for in: the last one chosen, or the station's own.
QString DeckFolder(const QString& stationPath) {
  const QString last = QSettings().value(QStringLiteral("lastDeckFolder")).toString();
  if (!last.isEmpty()) return last;
  return stationPath.isEmpty() ? QDir::homePath() : QFileInfo(stationPath).absolutePath();
}

}  // namespace

AntennaEditor::AntennaEditor(StationDocument* document, NearFieldService* service, QWidget* parent)
    : QGroupBox(tr("Antenna"), parent), document_(document), service_(service) {
  QStringList presets = {tr("Gain given below")};
  for (const auto& preset : kAntennaPresets) presets << Text(preset.label);
  preset_ = Combo(this, "antenna", presets);
  gain_ = numberField("gain", tr("Gain"), kGainRange, false);
  height_ = numberField("antennaHeight", tr("Antenna height"), kHeightRange, true);
  height_->setLength(true);
  heading_ = numberField("heading", tr("Heading"), kHeadingRange, false);
  east_ = numberField("positionEast", tr("Mast east"), kSiteRange, true);
  north_ = numberField("positionNorth", tr("Mast north"), kSiteRange, true);
  for (NumberField* field : {east_, north_}) {
    field->setLength(true);
    field->setPlaceholderText(QStringLiteral("0"));
  }
  QStringList kinds = {tr("Gain only (no near field)")};
  for (const auto& kind : kAntennaKinds) kinds << Text(kind.name);
  kinds.back() = tr("Imported NEC-2 file...");
  kind_ = Combo(this, "antennaModel", kinds);
  design_ = numberField("designFrequency", tr("Design frequency"), kFrequencyRange, true);
  apex_ = numberField("apex", tr("Apex angle"), kApexRange, false);
  verticalLength_ = Combo(this, "verticalLength", {tr("Quarter wave"), tr("5/8 wave"), tr("Given length")});
  lengthMeters_ = numberField("verticalLengthMeters", tr("Length"), kAntennaLengthRange, false);
  lengthMeters_->setLength(true);
  radials_ = spinBox("radials", kRadialsRange);
  elements_ = spinBox("elements", kYagiElementsRange);
  loopShape_ = Combo(this, "loopShape", {tr("Square"), tr("Delta")});
  loopPlane_ = Combo(this, "loopPlane", {tr("Standing"), tr("Lying flat")});
  wireRadius_ = numberField("wireRadius", tr("Wire radius"), kWireRadiusMmRange, true);
  conductivity_ = numberField("conductivity", tr("Conductivity"), kConductivityRange, false);
  conductivity_->setToolTip(tr("Copper is 5.8e7 S/m, aluminium 3.5e7; 0 is a perfect conductor"));
  file_ = new QLabel(this);
  file_->setObjectName(QStringLiteral("necFile"));
  file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  import_ = new QPushButton(tr("Import..."), this);
  import_->setObjectName(QStringLiteral("importNec"));
  deck_ = new QLabel(this);
  deck_->setObjectName(QStringLiteral("necSummary"));
  deck_->setWordWrap(true);
  dimensions_ = new QLabel(this);
  dimensions_->setObjectName(QStringLiteral("antennaDimensions"));
  dimensions_->setWordWrap(true);
  drawing_ = new AntennaDrawing(this);
  drawing_->setObjectName(QStringLiteral("antennaDrawing"));
  drawing_->setAccessibleName(tr("The antenna's wires"));

  form_ = new QFormLayout;
  // Two fields on one row, the label's mnemonic going to `buddy`.
  const auto pairRow = [this](const QString& label, QWidget* a, QWidget* b, QWidget* buddy) {
    auto* row = new QHBoxLayout;
    row->addWidget(a, 1);
    row->addWidget(b, 1);
    form_->addRow(label, row);
    qobject_cast<QLabel*>(form_->labelForField(row))->setBuddy(buddy);
    return row;
  };
  form_->addRow(tr("&Antenna:"), preset_);
  form_->addRow(tr("&Gain (dBi):"), gain_);
  form_->addRow(tr("Height above the ground:"), height_);
  form_->addRow(tr("Heading (degrees from north):"), heading_);
  pairRow(tr("Mast east, north of the origin:"), east_, north_, east_);
  form_->addRow(tr("Near-field model:"), kind_);
  form_->addRow(tr("Design frequency (MHz):"), design_);
  form_->addRow(tr("Apex angle (degrees):"), apex_);
  pairRow(tr("Radiator:"), verticalLength_, lengthMeters_, verticalLength_);
  form_->addRow(tr("Radials:"), radials_);
  form_->addRow(tr("Elements:"), elements_);
  pairRow(tr("Loop:"), loopShape_, loopPlane_, loopShape_);
  form_->addRow(tr("Wire radius (mm):"), wireRadius_);
  form_->addRow(tr("Conductivity (S/m):"), conductivity_);
  pairRow(tr("NEC-2 file:"), file_, import_, import_)->setStretch(1, 0);
  // The texts that wrap below the form: Qt 6.4's QFormLayout writes out of bounds when a row
  // that wraps its text shares it with rows that are hidden.
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form_);
  layout->addWidget(deck_);
  layout->addWidget(dimensions_);
  layout->addWidget(drawing_);
  connectFields();
  connect(document_, &StationDocument::changed, this, &AntennaEditor::refresh);
  connect(service_, &NearFieldService::changed, this, &AntennaEditor::refresh);
}

NumberField* AntennaEditor::numberField(const char* name, const QString& what, Range range, bool optional) {
  auto* field = new NumberField(what, range, optional, this);
  field->setObjectName(QLatin1String(name));
  connect(field, &NumberField::problemChanged, this, &AntennaEditor::problemChanged);
  return field;
}

QSpinBox* AntennaEditor::spinBox(const char* name, const Range& range) {
  auto* box = new QSpinBox(this);
  box->setObjectName(QLatin1String(name));
  box->setRange(static_cast<int>(range.min), static_cast<int>(range.max));
  return box;
}

template <typename Change>
void AntennaEditor::edit(const QString& what, const QString& key, Change change) {
  if (index_ < 0) return;
  Station s = document_->station();
  change(s.transmitters[static_cast<std::size_t>(index_)].antenna);
  document_->edit(s, what, key.isEmpty() ? key : QStringLiteral("tx%1.%2").arg(index_).arg(key));
}

void AntennaEditor::connectFields() {
  using Field = std::optional<double>;
  const auto number = [this](NumberField* field, const QString& what, const char* key, auto set) {
    connect(field, &NumberField::valueEdited, this, [this, what, key, set](Field v) {
      edit(what, QLatin1String(key), [&](Antenna& a) { set(a, v); });
    });
  };
  // The model's own fields change only a model that is there.
  const auto model = [number](NumberField* field, const QString& what, const char* key, auto set) {
    number(field, what, key, [set](Antenna& a, Field v) {
      if (a.model) set(*a.model, v);
    });
  };
  number(gain_, tr("Antenna Gain"), "gain", [](Antenna& a, Field v) { a.gainDbi = *v; });
  number(height_, tr("Antenna Height"), "height", [](Antenna& a, Field v) { a.heightMeters = v; });
  number(heading_, tr("Heading"), "heading", [](Antenna& a, Field v) { a.headingDegrees = *v; });
  for (const int axis : {0, 1}) {
    number(axis == 0 ? east_ : north_, tr("Antenna Position"), axis == 0 ? "east" : "north",
           [axis](Antenna& a, Field v) {
             std::array<double, 2> at = a.positionMeters.value_or(std::array{0.0, 0.0});
             at[static_cast<std::size_t>(axis)] = v.value_or(0.0);
             a.positionMeters = at;
             if (at == std::array{0.0, 0.0} && !v) a.positionMeters.reset();  // both emptied: the origin
           });
  }
  model(design_, tr("Design Frequency"), "design", [](AntennaModel& m, Field v) { m.designMHz = v; });
  model(apex_, tr("Apex Angle"), "apex", [](AntennaModel& m, Field v) { m.apexDegrees = *v; });
  model(lengthMeters_, tr("Radiator Length"), "length", [](AntennaModel& m, Field v) { m.lengthMeters = *v; });
  model(wireRadius_, tr("Wire Radius"), "radius", [](AntennaModel& m, Field v) { m.wireRadiusMm = v; });
  model(conductivity_, tr("Conductivity"), "conductivity", [](AntennaModel& m, Field v) { m.conductivitySm = *v; });
  const auto spin = [this](QSpinBox* box, const QString& what, const char* key, int AntennaModel::*member) {
    connect(box, &QSpinBox::valueChanged, this, [this, what, key, member](int value) {
      edit(what, QLatin1String(key), [&](Antenna& a) {
        if (a.model) (*a.model).*member = value;
      });
    });
  };
  spin(radials_, tr("Radials"), "radials", &AntennaModel::radials);
  spin(elements_, tr("Yagi Elements"), "elements", &AntennaModel::elements);
  const auto choice = [this](QComboBox* combo, const QString& what, auto set) {
    connect(combo, &QComboBox::activated, this, [this, what, set](int row) {
      edit(what, {}, [&](Antenna& a) {
        if (a.model) set(*a.model, row);
      });
    });
  };
  choice(verticalLength_, tr("Radiator"), [this](AntennaModel& m, int row) {
    m.verticalLength = static_cast<VerticalLength>(row);
    // A given length starts from the one the radiator has now, as cut; only it is kept.
    const bool given = m.verticalLength == VerticalLength::kGiven;
    m.lengthMeters = !given ? 0.0 : m.lengthMeters > 0.0 ? m.lengthMeters : cutLength_ > 0.0 ? cutLength_ : 10.0;
  });
  choice(loopShape_, tr("Loop Shape"), [](AntennaModel& m, int row) { m.loopShape = static_cast<LoopShape>(row); });
  choice(loopPlane_, tr("Loop Plane"), [](AntennaModel& m, int row) { m.horizontalLoop = row == 1; });
  connect(kind_, &QComboBox::activated, this, &AntennaEditor::chooseKind);
  connect(import_, &QPushButton::clicked, this, &AntennaEditor::importDeck);
  connect(preset_, &QComboBox::activated, this, [this](int row) {
    edit(tr("Antenna"), {}, [&](Antenna& a) {
      if (row == 0) {
        a.gainDbi = AntennaGainDbi(a);  // the figure stays until the user changes it
        a.preset.reset();
      } else {
        a.preset = row - 1;
      }
    });
  });
}

void AntennaEditor::chooseKind(int row) {
  if (row == kind_->count() - 1) {
    // An imported file, chosen in the file dialog once the combo box is done with the key or
    // click: a modal dialog inside its handler would be torn down under it.
    refresh();
    QMetaObject::invokeMethod(this, &AntennaEditor::importDeck, Qt::QueuedConnection);
    return;
  }
  edit(tr("Near-Field Model"), {}, [&](Antenna& a) {
    if (row == kGainOnly) {
      a.model.reset();
      return;
    }
    a.model = OfKind(kAntennaKinds[static_cast<std::size_t>(row - 1)].id, a.model);
    // A model stands somewhere: without a height it would have none to be computed at.
    if (!a.heightMeters) a.heightMeters = 10.0;
  });
}

void AntennaEditor::importDeck() {
  if (index_ < 0) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Import NEC-2 Model"), DeckFolder(document_->path()),
                                                    tr("NEC-2 models (*.nec *.NEC);;All files (*)"), nullptr,
                                                    QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return;
  QSettings().setValue(QStringLiteral("lastDeckFolder"), QFileInfo(path).absolutePath());
  QString why;
  std::string error;
  const auto text = ReadDeckFile(path, why);
  const auto deck = text ? ParseNecDeck(*text, error) : std::nullopt;
  if (!deck) {
    // Refused in words; the antenna stays as it was.
    refusal_ = text ? QFileInfo(path).fileName() + QStringLiteral(": ") + TrQ(error) : why;
    emit problemChanged(tr("Not imported: %1").arg(refusal_));
    refresh();
    return;
  }
  refusal_.clear();
  emit problemChanged({});
  edit(tr("Import NEC-2 Model"), {}, [&](Antenna& a) {
    a.model = OfKind(AntennaKind::kImported, a.model);
    a.model->file = QFileInfo(path).absoluteFilePath().toStdString();
    a.model->imported = *deck;
  });
}

void AntennaEditor::setTransmitter(int index) {
  if (index == index_) return;
  index_ = index;
  refusal_.clear();
  refresh();
}

void AntennaEditor::showRow(QWidget* field, bool shown) {
  if (form_->indexOf(field) < 0 && field->parentWidget() == this && !IsInRowLayout(form_, field)) {
    field->setVisible(shown);  // below the form
    return;
  }
  for (int row = 0; row < form_->rowCount(); ++row) {
    QLayoutItem* item = form_->itemAt(row, QFormLayout::FieldRole);
    if (item == nullptr) item = form_->itemAt(row, QFormLayout::SpanningRole);
    if (item == nullptr) continue;
    const bool here = item->widget() == field || (item->layout() != nullptr && item->layout()->indexOf(field) >= 0);
    if (!here) continue;
    if (QLayoutItem* label = form_->itemAt(row, QFormLayout::LabelRole); label != nullptr && label->widget()) {
      label->widget()->setVisible(shown);
    }
    if (item->widget() != nullptr) item->widget()->setVisible(shown);
    for (int i = 0; item->layout() != nullptr && i < item->layout()->count(); ++i) {
      if (QWidget* w = item->layout()->itemAt(i)->widget()) w->setVisible(shown);
    }
    return;
  }
}

}  // namespace zento::station
