// The record on paper, for small and large stations under every rule set and one with its near
// field, on A4 and Letter: no word broken, no table wider than the page, no row cut in two, no
// heading apart from what it heads, long tables' headings repeated, every page numbered, the heat
// maps drawn as the pictures they are.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <functional>

#include "core/bands.h"
#include "nec/near_field_run.h"
#include "report/station_file.h"
#include "station/record_export.h"
#include "station/record_pages.h"
#include "station/station_document.h"
#include "station/station_edits.h"

namespace zento::station::test {
namespace {

Station Example(const char* name) {
  QFile file(QStringLiteral(ZENTO_SOURCE_DIR "/examples/%1.zento.json").arg(QLatin1String(name)));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  std::string error;
  const auto station = ParseStation(file.readAll().toStdString(), error);
  EXPECT_TRUE(station) << error;
  return station.value_or(Station{});
}

// Many places with long names, many transmitters and bands: tables that take several pages.
Station Large(RuleSet rules) {
  Station s = Example("contest-two-transmitters");
  s.rules = rules;
  for (int i = 0; i < 10; ++i) {
    Place p = s.places.front();
    p.name = "Place number " + std::to_string(i + 1) + " beyond the neighbours' garden wall";
    p.environment = Environment::kUncontrolled;
    p.distanceMeters = 8.0 + 5.0 * i;
    s.places.push_back(p);
  }
  for (int i = 0; i < 3; ++i) {
    const std::size_t t = AddTransmitter(s);
    s.transmitters[t].powerWatts = 400.0;
  }
  for (Transmitter& t : s.transmitters) {
    for (const AmateurBand& band : BandsFor(rules)) SetBand(t, BandsFor(rules), std::string(band.name), true);
  }
  return s;
}

struct Case {
  std::string what;
  Station station;
  const StationNearField* nearField = nullptr;
};

// A station with a model and its near field with pictures, as zento-calc computes it: once.
const std::pair<Station, StationNearField>& WithNearField() {
  static const auto computed = [] {
    const Station s = Example("near-field-yagi");
    StationNearField nf = nec::EvaluateStationNearField(s, EvaluateStation(s), true, {});
    EXPECT_TRUE(nf.transmitters[0] && nf.transmitters[0]->grids) << nf.problems[0];
    return std::pair(s, std::move(nf));
  }();
  return computed;
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {{"contest example", Example("contest-two-transmitters")},
                             {"US example", Example("us-hf-and-2m")},
                             {"UK example", Example("uk-icnirp-1998")}};
  // The rule sets with the longest words in their tables: the FCC's exemption, ICNIRP 2020's limits.
  for (const RuleSet rules : {RuleSet::kFcc, RuleSet::kIcnirp2020}) {
    cases.push_back({"large, " + std::string(Info(rules).name), Large(rules)});
  }
  cases.push_back({"near-field example", WithNearField().first, &WithNearField().second});
  return cases;
}

QSizeF PrintableArea(QPageSize::PageSizeId paper) {
  const QPageLayout layout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  return layout.paintRect(QPageLayout::Point).size();
}

// A line may end after a space, a line separator or a hyphen, or at a slash between two words
// ("population/uncontrolled", never "W/m²").
bool BreaksBetweenWords(const QString& text, qsizetype at) {
  const QChar before = text[at - 1];
  if (before.isSpace() || before == QChar::LineSeparator || before == QLatin1Char('-')) return true;
  if (before != QLatin1Char('/')) return false;
  qsizetype left = at - 1, right = at;
  while (left > 0 && text[left - 1].isLetter()) --left;
  while (right < text.size() && text[right].isLetter()) ++right;
  return at - 1 - left >= 3 && right - at >= 3;
}

// Where a piece of the document is: its page, by the pages' ranges.
std::size_t PageOf(const PagedRecord& record, double y) {
  for (std::size_t p = 0; p < record.pages().size(); ++p) {
    if (y < record.pages()[p].bottom) return p;
  }
  return record.pages().size();
}

bool CutAt(const PagedRecord& record, double top, double bottom) {
  for (std::size_t p = 0; p + 1 < record.pages().size(); ++p) {
    const double cut = record.pages()[p].bottom;
    if (top < cut - 0.5 && bottom > cut + 0.5) return true;
  }
  return false;
}

class RecordPrint : public ::testing::Test {
 protected:
  void ForEachRecord(const std::function<void(const std::string&, const PagedRecord&)>& check) {
    for (const Case& c : Cases()) {
      const StationResult result = EvaluateStation(c.station);
      for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        const PagedRecord record(RecordDocument(c.station, result, c.nearField), PrintableArea(paper));
        check(c.what + (paper == QPageSize::A4 ? ", A4" : ", Letter"), record);
      }
    }
  }
};

TEST_F(RecordPrint, NoWordIsBrokenAndNoTableIsWiderThanThePage) {
  ForEachRecord([](const std::string& what, const PagedRecord& record) {
    const QTextDocument& document = record.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      const QTextLayout* layout = block.layout();
      const QString text = block.text();
      for (int l = 0; l + 1 < layout->lineCount(); ++l) {
        const QTextLine line = layout->lineAt(l);
        const qsizetype at = line.textStart() + line.textLength();
        if (at <= 0 || at >= text.size()) continue;
        EXPECT_TRUE(BreaksBetweenWords(text, at))
            << what << ": \"" << text.left(at).toStdString() << "|" << text.mid(at).toStdString() << "\"";
      }
    }
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
      EXPECT_LE(document.documentLayout()->frameBoundingRect(frame).width(), PagedRecord::kLayoutWidth + 1) << what;
    }
    EXPECT_LE(document.size().width(), PagedRecord::kLayoutWidth + 1) << what;
  });
}

TEST_F(RecordPrint, RowsAndHeadingsStayWhole) {
  ForEachRecord([](const std::string& what, const PagedRecord& record) {
    const QTextDocument& document = record.document();
    const QAbstractTextDocumentLayout& layout = *document.documentLayout();
    for (const PagedRecord::Page& page : record.pages()) {
      EXPECT_LE(page.bottom - page.top + page.headerBottom - page.headerTop, record.pageHeight() + 0.5) << what;
    }
    int repeated = 0;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
      auto* table = qobject_cast<QTextTable*>(frame);
      if (table == nullptr) continue;
      // A row is its cells that start in it, each cell from its first line to its last.
      for (int r = 0; r < table->rows(); ++r) {
        double top = 1e300, bottom = -1e300;
        for (int c = 0; c < table->columns(); ++c) {
          const QTextTableCell cell = table->cellAt(r, c);
          if (cell.row() != r || cell.column() != c) continue;
          top = std::min(top, layout.blockBoundingRect(cell.firstCursorPosition().block()).top());
          bottom = std::max(bottom, layout.blockBoundingRect(cell.lastCursorPosition().block()).bottom());
        }
        EXPECT_FALSE(CutAt(record, top, bottom))
            << what << ": row " << r << " of the table at " << layout.frameBoundingRect(table).top();
      }
      const QRectF box = layout.frameBoundingRect(table);
      for (std::size_t p = 1; p < record.pages().size(); ++p) {
        const PagedRecord::Page& page = record.pages()[p];
        if (page.top > box.top() + 1 && page.top < box.bottom() - 1) {
          EXPECT_GT(page.headerBottom, page.headerTop) << what << ": page " << p + 1 << " continues a table";
          EXPECT_NEAR(page.headerTop, box.top(), 3.0) << what;
          ++repeated;
        }
      }
    }
    if (what.starts_with("large")) {
      EXPECT_GT(repeated, 0) << what;
    }
    // A heading on the page of the first thing it heads; the plot's caption on its picture's.
    const auto following = [](QTextFrame::iterator it) {
      do {
        ++it;
      } while (!it.atEnd() && it.currentFrame() == nullptr && it.currentBlock().text().trimmed().isEmpty());
      return it;
    };
    const auto top = [&](const QTextFrame::iterator& it) {
      return it.currentFrame() != nullptr ? layout.frameBoundingRect(it.currentFrame()).top()
                                          : layout.blockBoundingRect(it.currentBlock()).top();
    };
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
      const QTextBlock block = it.currentBlock();
      if (!block.isValid() || block.blockFormat().headingLevel() == 0) continue;
      const QTextFrame::iterator next = following(it);
      ASSERT_FALSE(next.atEnd()) << what;
      const std::size_t page = PageOf(record, top(it));
      EXPECT_EQ(page, PageOf(record, top(next) + 1)) << what << ": " << block.text().toStdString();
      if (block.text() == QStringLiteral("Power density around the antenna")) {
        const QTextFrame::iterator picture = following(next);
        ASSERT_FALSE(picture.atEnd());
        EXPECT_EQ(page, PageOf(record, layout.blockBoundingRect(picture.currentBlock()).bottom() - 1))
            << what << ": the plot apart from its heading";
      }
    }
  });
}

// A text document draws no inline SVG: each heat map is a picture of its own, at the size the
// page's SVG has, drawn from it (its colours, not a blank), on the page of its caption.
TEST_F(RecordPrint, TheHeatMapsArePicturesOfTheirOwn) {
  const auto& [s, nearField] = WithNearField();
  const PagedRecord record(RecordDocument(s, EvaluateStation(s), &nearField), PrintableArea(QPageSize::A4));
  const QTextDocument& document = record.document();
  int pictures = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
      if (!image.isValid() || !image.name().startsWith(QStringLiteral("zento-heat-map-"))) continue;
      ++pictures;
      const QImage drawn = document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
      ASSERT_FALSE(drawn.isNull()) << image.name().toStdString();
      EXPECT_EQ(drawn.width(), 2 * static_cast<int>(image.width()));
      // Cividis' blue at the foot of its scale is in it somewhere.
      bool blue = false;
      for (int y = 0; y < drawn.height() && !blue; y += 3) {
        for (int x = 0; x < drawn.width() && !blue; x += 3) blue = qBlue(drawn.pixel(x, y)) > qRed(drawn.pixel(x, y)) + 40;
      }
      EXPECT_TRUE(blue) << image.name().toStdString();
      // Its caption (the paragraph before the first) on its page.
      const QRectF box = document.documentLayout()->blockBoundingRect(block);
      EXPECT_FALSE(CutAt(record, box.top(), box.bottom())) << image.name().toStdString();
    }
  }
  EXPECT_EQ(pictures, 2);  // from above and upright
}

TEST_F(RecordPrint, EveryPageIsNumberedAndPrinted) {
  const Station s = Large(RuleSet::kFcc);
  const StationResult result = EvaluateStation(s);
  const PagedRecord record(RecordDocument(s, result), PrintableArea(QPageSize::A4));
  const std::size_t pages = record.pages().size();
  ASSERT_GE(pages, 3u);
  for (std::size_t p = 0; p < pages; ++p) {
    EXPECT_EQ(record.footer(p), QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages));
    // Drawn: text in the body and at the foot of the page.
    QImage image(400, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      record.paint(painter, p, QRectF(0, 0, 400, 600));
    }
    const auto inked = [&](int top, int bottom) {
      for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (qGray(image.pixel(x, y)) < 160) return true;
        }
      }
      return false;
    };
    EXPECT_TRUE(inked(0, 500)) << "page " << p + 1;
    EXPECT_TRUE(inked(575, 600)) << "page " << p + 1 << " has no footer";
  }
  // The PDF has as many pages.
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("record.pdf"));
  QString error;
  ASSERT_TRUE(WriteRecordPdf(path, s, result, nullptr, error)) << error.toStdString();
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_EQ(static_cast<std::size_t>(bytes.count("/Type /Page\n")), pages);
}

}  // namespace
}  // namespace zento::station::test
