#include "station/station_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "station/assessment_form.h"
#include "station/limited_text_edit.h"
#include "station/local_text.h"
#include "station/number_field.h"
#include "station/station_document.h"

namespace zento::station {

StationForm::StationForm(StationDocument* document, QWidget* parent) : QWidget(parent), document_(document) {
  callsign_ = new QLineEdit(this);
  callsign_->setObjectName(QStringLiteral("callsign"));
  location_ = new LimitedTextEdit(this);
  location_->setObjectName(QStringLiteral("location"));
  location_->setTabChangesFocus(true);
  location_->setFixedHeight(location_->fontMetrics().lineSpacing() * 3 + 12);
  rules_ = new QComboBox(this);
  rules_->setObjectName(QStringLiteral("rules"));
  for (const auto& info : kRuleSets) {
    rules_->addItem(TrQ(info.name));
    rules_->setItemData(rules_->count() - 1, TrQ(info.citation), Qt::ToolTipRole);
  }
  ground_ = new QCheckBox(tr("&Ground reflection (power density x 2.56)"), this);
  ground_->setObjectName(QStringLiteral("groundReflection"));
  units_ = new QComboBox(this);
  units_->setObjectName(QStringLiteral("units"));
  units_->addItems({tr("Feet"), tr("Meters")});
  personHeight_ = new NumberField(tr("Height of people"), kHeightRange, false, this);
  personHeight_->setObjectName(QStringLiteral("personHeight"));
  personHeight_->setLength(true);
  exemption_ = new NumberField(tr("Exemption distance"), kPlaceDistanceRange, true, this);
  exemption_->setObjectName(QStringLiteral("exemptionDistance"));
  exemption_->setLength(true);
  exemption_->setPlaceholderText(tr("the nearest place"));
  groundKind_ = new QComboBox(this);
  groundKind_->setObjectName(QStringLiteral("ground"));
  for (const GroundInfo& ground : kGrounds) {
    const QString name = TrQ(ground.name);
    groundKind_->addItem(name.left(1).toUpper() + name.mid(1));
  }
  groundKind_->setToolTip(tr("The ground the near field of the antennas with a model is computed over"));

  // The rows keep to the top of the tab, however tall it is.
  auto* outer = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  outer->addLayout(form);
  auto* assessment = new AssessmentForm(document_, this);
  connect(assessment, &AssessmentForm::problemChanged, this, &StationForm::problemChanged);
  outer->addWidget(assessment);
  outer->addStretch(1);
  form->addRow(tr("&Call sign:"), callsign_);
  form->addRow(tr("&Location:"), location_);
  form->addRow(tr("&Rules:"), rules_);
  auto* citation = new QLabel(this);
  citation->setObjectName(QStringLiteral("citation"));
  citation->setWordWrap(true);
  citation->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(QString(), citation);
  form->addRow(QString(), ground_);
  form->addRow(tr("Distances &in:"), units_);
  form->addRow(tr("Height of pe&ople:"), personHeight_);
  form->addRow(tr("E&xemption checked at:"), exemption_);
  form->addRow(tr("Grou&nd under the antennas:"), groundKind_);

  connect(callsign_, &QLineEdit::textEdited, this, [this](const QString& text) {
    editStation(tr("Call Sign"), QStringLiteral("callsign"), [&](Station& s) { s.callsign = text.toStdString(); });
  });
  connect(location_, &QPlainTextEdit::textChanged, this, [this] {
    const std::string text = location_->toPlainText().toStdString();
    if (text == document_->station().location) return;
    editStation(tr("Location"), QStringLiteral("location"), [&](Station& s) { s.location = text; });
  });
  connect(rules_, &QComboBox::activated, this, [this](int index) {
    editStation(tr("Rules"), {}, [&](Station& s) { s.rules = kRuleSets[static_cast<std::size_t>(index)].id; });
  });
  connect(ground_, &QCheckBox::clicked, this,
          [this](bool on) { editStation(tr("Ground Reflection"), {}, [&](Station& s) { s.groundReflection = on; }); });
  connect(units_, &QComboBox::activated, this, [this](int index) {
    editStation(tr("Units"), {}, [&](Station& s) { s.units = index == 0 ? LengthUnit::kFeet : LengthUnit::kMeters; });
  });
  connect(groundKind_, &QComboBox::activated, this, [this](int index) {
    editStation(tr("Ground"), {}, [&](Station& s) { s.ground = kGrounds[static_cast<std::size_t>(index)].id; });
  });
  connect(personHeight_, &NumberField::valueEdited, this, [this](std::optional<double> v) {
    editStation(tr("Height of People"), QStringLiteral("personHeight"), [&](Station& s) { s.personHeightMeters = *v; });
  });
  connect(exemption_, &NumberField::valueEdited, this, [this](std::optional<double> v) {
    editStation(tr("Exemption Distance"), QStringLiteral("exemption"),
                [&](Station& s) { s.exemptionDistanceMeters = v; });
  });
  for (auto* field : {personHeight_, exemption_}) {
    connect(field, &NumberField::problemChanged, this, &StationForm::problemChanged);
  }
  connect(document_, &StationDocument::changed, this, &StationForm::refresh);
  refresh();
}

QWidget* StationForm::firstField() const { return callsign_; }

template <typename Change>
void StationForm::editStation(const QString& what, const QString& key, Change change) {
  Station s = document_->station();
  change(s);
  document_->edit(s, what, key);
}

void StationForm::refresh() {
  const Station& s = document_->station();
  if (callsign_->text().toStdString() != s.callsign) callsign_->setText(QString::fromStdString(s.callsign));
  if (location_->toPlainText().toStdString() != s.location) {
    const QSignalBlocker block(location_);
    location_->setPlainText(QString::fromStdString(s.location));
  }
  rules_->setCurrentIndex(static_cast<int>(s.rules));
  ground_->setChecked(s.groundReflection);
  units_->setCurrentIndex(s.units == LengthUnit::kFeet ? 0 : 1);
  personHeight_->showValue(s.personHeightMeters, s.units);
  exemption_->showValue(s.exemptionDistanceMeters, s.units);
  exemption_->setEnabled(s.rules == RuleSet::kFcc);
  groundKind_->setCurrentIndex(static_cast<int>(s.ground));
  const RuleSetInfo& info = Info(s.rules);
  findChild<QLabel*>(QStringLiteral("citation"))
      ->setText(TrQ(info.citation));
}

}  // namespace zento::station
