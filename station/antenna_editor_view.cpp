// The antenna editor showing the antenna: its fields, the model's own where its kind has them, the
// model's dimensions as cut, what an imported file gave, and the wires.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/number_text.h"
#include "report/station_text.h"
#include "station/antenna_drawing.h"
#include "station/antenna_editor.h"
#include "station/local_text.h"
#include "station/near_field_service.h"
#include "station/number_field.h"
#include "station/station_document.h"

namespace zento::station {
namespace {

const QString kRefused = QStringLiteral("color: #b00020");

// The cards' names ("GW, GR, GW"), each once where `once`.
QString CardNames(const std::vector<std::string>& cards, bool once) {
  QStringList names;
  for (const std::string& card : cards) {
    const QString name = QString::fromStdString(card.substr(0, 2));
    if (!once || !names.contains(name)) names << name;
  }
  return names.join(QStringLiteral(", "));
}

// `one` and `many` are whole phrases with the count as %1 ("%1 load", "%1 loads").
QString Count(std::size_t n, const QString& one, const QString& many) { return (n == 1 ? one : many).arg(n); }

// What was taken from an imported file, and what the station's own cards replace.
QString DeckSummary(const AntennaModel& m) {
  const ImportedDeck& d = m.imported;
  // TRANSLATORS: %1 counts the structure cards ("4 structure cards"), %2 names them ("GW, GR, GW")
  QString text = QObject::tr("Taken: %1 (%2)")
                     .arg(Count(d.structure.size(), QObject::tr("%1 structure card"), QObject::tr("%1 structure cards")),
                          CardNames(d.structure, false));
  // TRANSLATORS: a list of what was taken from a file: what came before, then one more item
  if (!d.loads.empty()) text = QObject::tr("%1, %2").arg(text, Count(d.loads.size(), QObject::tr("%1 load"), QObject::tr("%1 loads")));
  // TRANSLATORS: the list of what was taken from a file, ended with its last item and a full stop
  text = QObject::tr("%1, %2.").arg(
      text, Count(d.sources.size(), QObject::tr("%1 voltage source"), QObject::tr("%1 voltage sources")));
  if (!d.replaced.empty()) {
    text += QObject::tr(" The station's ground, frequencies and output replace its %1.").arg(CardNames(d.replaced, true));
  }
  return text;
}

}  // namespace

void AntennaEditor::refresh() {
  const Station& s = document_->station();
  if (index_ >= static_cast<int>(s.transmitters.size())) index_ = static_cast<int>(s.transmitters.size()) - 1;
  setEnabled(index_ >= 0);
  if (index_ < 0) return;
  const Transmitter& t = s.transmitters[static_cast<std::size_t>(index_)];
  const Antenna& a = t.antenna;
  preset_->setCurrentIndex(a.preset ? *a.preset + 1 : 0);
  gain_->setEnabled(!a.preset);
  gain_->showValue(AntennaGainDbi(a));
  height_->showValue(a.heightMeters, s.units);
  heading_->showValue(a.headingDegrees);
  east_->showValue(a.positionMeters ? std::optional((*a.positionMeters)[0]) : std::nullopt, s.units);
  north_->showValue(a.positionMeters ? std::optional((*a.positionMeters)[1]) : std::nullopt, s.units);
  refreshModel(s, t);
}

void AntennaEditor::refreshModel(const Station& s, const Transmitter& t) {
  const std::optional<AntennaModel>& m = t.antenna.model;
  const auto is = [&](AntennaKind kind) { return m && m->kind == kind; };
  const bool builtIn = m && m->kind != AntennaKind::kImported, imported = is(AntennaKind::kImported);
  kind_->setCurrentIndex(m ? static_cast<int>(m->kind) + 1 : kGainOnly);
  showRow(design_, builtIn);
  showRow(apex_, is(AntennaKind::kInvertedV));
  showRow(verticalLength_, is(AntennaKind::kVertical));
  showRow(radials_, is(AntennaKind::kVertical));
  showRow(elements_, is(AntennaKind::kYagi));
  showRow(loopShape_, is(AntennaKind::kLoop));
  showRow(wireRadius_, builtIn);
  showRow(conductivity_, m.has_value());
  showRow(import_, imported || !refusal_.isEmpty());
  showRow(deck_, imported || !refusal_.isEmpty());
  showRow(dimensions_, builtIn);
  showRow(drawing_, m.has_value() || !refusal_.isEmpty());
  deck_->setStyleSheet(refusal_.isEmpty() && (!m || m->importProblem.empty()) ? QString() : kRefused);
  if (!refusal_.isEmpty()) deck_->setText(tr("Not imported: %1").arg(refusal_));
  if (!m) {
    if (refusal_.isEmpty()) drawing_->showWires(std::nullopt);
    return;
  }
  // The design frequency: the model's own, or what it falls back on, shown as a hint.
  Transmitter fallback = t;
  fallback.antenna.model->designMHz.reset();
  const auto design = DesignMHz(s, fallback);
  design_->setPlaceholderText(design ? tr("%1 (the first band's middle)").arg(LocalNum(FrequencyText(*design)))
                                     : tr("no band to cut it for"));
  design_->showValue(m->designMHz);
  apex_->showValue(m->apexDegrees);
  verticalLength_->setCurrentIndex(static_cast<int>(m->verticalLength));
  const bool given = m->verticalLength == VerticalLength::kGiven;
  lengthMeters_->setEnabled(given);
  {
    const QSignalBlocker radials(radials_), elements(elements_);
    radials_->setValue(m->radials);
    elements_->setValue(m->elements);
  }
  loopShape_->setCurrentIndex(static_cast<int>(m->loopShape));
  loopPlane_->setCurrentIndex(m->horizontalLoop ? 1 : 0);
  wireRadius_->setPlaceholderText(is(AntennaKind::kYagi) ? tr("the design's own") : tr("1 (AWG 12)"));
  wireRadius_->showValue(m->wireRadiusMm);
  conductivity_->showValue(m->conductivitySm);
  if (imported) {
    const QString path = QString::fromStdString(m->file);
    file_->setText(QFileInfo(path).fileName());
    file_->setToolTip(QDir::toNativeSeparators(path));
    if (refusal_.isEmpty()) {
      deck_->setText(m->importProblem.empty() ? DeckSummary(*m)
                                              : tr("Cannot be used: %1").arg(TrQ(m->importProblem)));
    }
  } else {
    file_->clear();
  }
  // The built-in kinds' wires as cut, at once; an imported file's as the engine laid them out.
  const auto frequencies = EngineFrequencies(s, t);
  std::string problem;
  AntennaDrawing::Wires wires;
  wires.units = s.units;
  const AntennaPlacement at = PlacementOf(s, t);
  wires.mastX = at.x;
  wires.mastY = at.y;
  wires.headingDegrees = at.headingDegrees;
  cutLength_ = 0.0;
  if (builtIn) {
    const auto own = DesignMHz(s, t);
    const auto structure = own && !frequencies.empty()
                               ? BuildAntenna(*m, at, *own, frequencies.back(), problem)
                               : std::nullopt;
    if (!own || frequencies.empty()) problem = tr("no band to cut it for").toStdString();
    dimensions_->setStyleSheet(structure ? QString() : kRefused);
    if (!structure) {
      dimensions_->setText(TrQ(problem));
      drawing_->showWires(std::nullopt, TrQ(problem));
      lengthMeters_->showValue(given ? std::optional(m->lengthMeters) : std::nullopt, s.units);
      return;
    }
    if (is(AntennaKind::kVertical)) cutLength_ = structure->wires.front().Length();
    lengthMeters_->showValue(given ? m->lengthMeters : cutLength_, s.units);
    const WindowNumbers numbers;
    dimensions_->setText(
        tr("As cut for %1 MHz: %2")
            .arg(LocalNum(FrequencyText(*own)), QString::fromStdString(AntennaDimensionsText(s, *m, *structure))));
    for (const Wire& w : structure->wires) wires.wires.emplace_back(w.a, w.b);
    for (const Source& source : structure->sources) {
      const Wire& w = structure->wires[source.wire];
      wires.feeds.push_back(w.a + (w.b - w.a) * ((source.segment - 0.5) / w.segments));
    }
    drawing_->showWires(std::move(wires));
    return;
  }
  const TransmitterNearField& nf = service_->transmitters()[static_cast<std::size_t>(index_)];
  if (nf.current()) {
    wires.wires = nf.entry->wires;
    drawing_->showWires(std::move(wires));
  } else {
    drawing_->showWires(std::nullopt, nf.state == TransmitterNearField::State::kFailed
                                          ? nf.problem
                                          : tr("The engine is laying out the file's wires..."));
  }
}

}  // namespace zento::station
