#include "station/assessment_form.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>

#include "core/number_text.h"
#include "station/limited_text_edit.h"
#include "station/number_field.h"
#include "station/station_document.h"

namespace zento::station {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString OutlineHelp() {
  return QObject::tr("The corners of the area you control (the property), east and north of the site's origin, "
                     "separated by semicolons");
}

LimitedTextEdit* Notes(QWidget* parent, const char* name) {
  auto* notes = new LimitedTextEdit(parent);
  notes->setObjectName(QLatin1String(name));
  notes->setTabChangesFocus(true);
  notes->setMaxLength(static_cast<int>(kMaxAssessmentTextLength));
  notes->setFixedHeight(notes->fontMetrics().lineSpacing() * 3 + 12);
  return notes;
}

}  // namespace

AssessmentForm::AssessmentForm(StationDocument* document, QWidget* parent)
    : QGroupBox(tr("Assessment"), parent), document_(document) {
  assessor_ = new QLineEdit(this);
  assessor_->setObjectName(QStringLiteral("assessor"));
  assessor_->setMaxLength(static_cast<int>(kMaxNameLength));
  date_ = dateField("assessmentDate");
  method_ = Notes(this, "assessmentMethod");
  measures_ = Notes(this, "assessmentMeasures");
  nextReview_ = dateField("nextReview");
  outline_ = new QLineEdit(this);
  outline_->setObjectName(QStringLiteral("siteOutline"));
  outline_->setToolTip(OutlineHelp());

  auto* form = new QFormLayout(this);
  form->addRow(tr("Assessed b&y:"), assessor_);
  form->addRow(tr("Assessed on:"), date_);
  form->addRow(tr("Method and assumptions:"), method_);
  form->addRow(tr("Measures keeping people out:"), measures_);
  form->addRow(tr("Next review:"), nextReview_);
  form->addRow(tr("Controllable area:"), outline_);

  connect(assessor_, &QLineEdit::textEdited, this, [this](const QString& text) {
    edit(tr("Assessor"), QStringLiteral("assessor"), [&](Station& s) { s.assessment->assessor = text.toStdString(); });
  });
  connectDate(date_, tr("Assessment Date"), &Assessment::date);
  connectDate(nextReview_, tr("Next Review"), &Assessment::nextReview);
  const auto notes = [this](LimitedTextEdit* field, const QString& what, std::string Assessment::*member) {
    connect(field, &QPlainTextEdit::textChanged, this, [this, field, what, member] {
      const std::string text = field->toPlainText().toStdString();
      const auto& a = document_->station().assessment;
      if (text == (a ? (*a).*member : std::string())) return;
      edit(what, QLatin1String(field->objectName().toLatin1()), [&](Station& s) { (*s.assessment).*member = text; });
    });
  };
  notes(method_, tr("Assessment Method"), &Assessment::method);
  notes(measures_, tr("Measures"), &Assessment::measures);
  connect(outline_, &QLineEdit::textEdited, this, [this](const QString& text) {
    QString problem;
    const bool feet = document_->station().units == LengthUnit::kFeet;
    const auto outline = ReadOutline(text, feet, locale(), &problem);
    if (!outline) return refuse(outline_, tr("Controllable area: %1").arg(problem));
    refuse(outline_, {});
    Station s = document_->station();
    s.siteOutline = *outline;
    document_->edit(s, tr("Controllable Area"), QStringLiteral("outline"));
  });
  connect(document_, &StationDocument::changed, this, &AssessmentForm::refresh);
  refresh();
}

QLineEdit* AssessmentForm::dateField(const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(QLatin1String(name));
  field->setPlaceholderText(tr("YYYY-MM-DD"));
  field->setMaxLength(10);
  return field;
}

void AssessmentForm::connectDate(QLineEdit* field, const QString& what, std::string Assessment::*member) {
  connect(field, &QLineEdit::textEdited, this, [this, field, what, member](const QString& text) {
    const std::string date = text.trimmed().toStdString();
    if (!date.empty() && !IsIsoDate(date)) return refuse(field, tr("%1: expected a date as YYYY-MM-DD").arg(what));
    refuse(field, {});
    edit(what, field->objectName(), [&](Station& s) { (*s.assessment).*member = date; });
  });
}

void AssessmentForm::edit(const QString& what, const QString& key, const std::function<void(Station&)>& change) {
  Station s = document_->station();
  if (!s.assessment) s.assessment.emplace();
  change(s);
  // An assessment with nothing in it is none.
  if (s.assessment == Assessment{}) s.assessment.reset();
  document_->edit(s, what, key);
}

void AssessmentForm::refuse(QLineEdit* field, const QString& message) {
  SetRefusedText(field, message, field == outline_ ? OutlineHelp() : QString());
  emit problemChanged(message);
}

void AssessmentForm::refresh() {
  const Station& s = document_->station();
  const Assessment a = s.assessment.value_or(Assessment{});
  // A field that holds text it did not take keeps it, to be corrected.
  const auto show = [](QLineEdit* field, const QString& text) {
    if (RefusedText(field).isEmpty() && field->text() != text) field->setText(text);
  };
  show(assessor_, Q(a.assessor));
  show(date_, Q(a.date));
  show(nextReview_, Q(a.nextReview));
  for (auto [field, text] : {std::pair{method_, &a.method}, std::pair{measures_, &a.measures}}) {
    if (field->toPlainText().toStdString() == *text) continue;
    const QSignalBlocker block(field);
    field->setPlainText(Q(*text));
  }
  const bool feet = s.units == LengthUnit::kFeet;
  const QString outline = OutlineText(s.siteOutline, feet);
  QString problem;
  const auto shown = ReadOutline(outline_->text(), feet, locale(), &problem);
  if (RefusedText(outline_).isEmpty() && (!shown || *shown != s.siteOutline)) outline_->setText(outline);
  outline_->setPlaceholderText(feet ? tr("east north; ... in feet, e.g. -30 -50; 60 -50; 60 80; -30 80")
                                    : tr("east north; ... in meters, e.g. -10 -15; 20 -15; 20 25; -10 25"));
}

QString AssessmentForm::OutlineText(const std::vector<std::array<double, 2>>& outline, bool feet) {
  QStringList corners;
  for (const auto& [east, north] : outline) {
    corners << NumberField::format(east, true, feet ? LengthUnit::kFeet : LengthUnit::kMeters) + QLatin1Char(' ') +
                   NumberField::format(north, true, feet ? LengthUnit::kFeet : LengthUnit::kMeters);
  }
  return corners.join(QStringLiteral("; "));
}

std::optional<std::vector<std::array<double, 2>>> AssessmentForm::ReadOutline(const QString& text, bool feet,
                                                                              const QLocale& locale, QString* problem) {
  std::vector<std::array<double, 2>> outline;
  if (text.trimmed().isEmpty()) return outline;
  const QStringList corners = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (const QString& corner : corners) {
    const QStringList pair = corner.simplified().split(QLatin1Char(' '));
    const auto east = pair.size() == 2 ? NumberField::read(pair[0], locale) : std::nullopt;
    const auto north = pair.size() == 2 ? NumberField::read(pair[1], locale) : std::nullopt;
    if (!east || !north) {
      *problem = tr("expected each corner as two numbers, east and north, separated by semicolons");
      return std::nullopt;
    }
    const LengthUnit unit = feet ? LengthUnit::kFeet : LengthUnit::kMeters;
    const std::array<double, 2> at = {ToMeters(*east, unit), ToMeters(*north, unit)};
    if (!kSiteRange.Holds(at[0]) || !kSiteRange.Holds(at[1])) {
      *problem = tr("a corner lies farther than 100 km from the site's origin");
      return std::nullopt;
    }
    outline.push_back(at);
  }
  if (outline.size() < 3 || outline.size() > kMaxOutlinePoints) {
    *problem = tr("expected from 3 to %1 corners").arg(kMaxOutlinePoints);
    return std::nullopt;
  }
  return outline;
}

}  // namespace zento::station
