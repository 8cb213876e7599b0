#include "station/record_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>

namespace zento::station {
namespace {

constexpr double kFooterPoints = 8.0;  // the size of the footer's text
constexpr double kFooterGap = 10.0;    // between the body and the footer, in points

bool HasImage(const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    if (it.fragment().charFormat().isImageFormat()) return true;
  }
  return false;
}

// What the root frame holds, top to bottom: blocks and tables.
struct Item {
  double top = 0.0, bottom = 0.0;
  QTextBlock block;             // a block, or
  QTextTable* table = nullptr;  // a table
  bool empty = false;           // the empty blocks around tables and at the end
  bool keepWithNext = false;    // a heading, or the caption of a picture
};

// Where a table row begins: its cells' first lines, less their padding and border.
double RowTop(const QAbstractTextDocumentLayout& layout, QTextTable* table, int row) {
  double top = 1e300;
  for (int c = 0; c < table->columns(); ++c) {
    const QTextTableCell cell = table->cellAt(row, c);
    if (cell.row() != row) continue;
    const QTextTableCellFormat format = cell.format().toTableCellFormat();
    const QRectF first = layout.blockBoundingRect(cell.firstCursorPosition().block());
    top = std::min(top, first.top() - format.topPadding() - format.topBorder());
  }
  return top;
}

// Whether no cell spans into the row from the one above.
bool RowStartsClean(QTextTable* table, int row) {
  for (int c = 0; c < table->columns(); ++c) {
    if (table->cellAt(row, c).row() != row) return false;
  }
  return true;
}

// Whether a line may break after text[at]: after a point or comma only between words, after a
// slash only between two words of three letters or more ("population/uncontrolled").
bool Joins(const QString& text, qsizetype at) {
  if (at + 1 >= text.size() || at == 0) return false;
  const QChar c = text[at], before = text[at - 1], after = text[at + 1];
  if (c == QLatin1Char('.') || c == QLatin1Char(',')) return before.isDigit() && after.isLetterOrNumber();
  if (c != QLatin1Char('/')) return false;
  qsizetype left = at, right = at + 1;
  while (left > 0 && text[left - 1].isLetter()) --left;
  while (right < text.size() && text[right].isLetter()) ++right;
  return !before.isSpace() && !after.isSpace() && (at - left < 3 || right - at - 1 < 3);
}

}  // namespace

void KeepWordsWhole(QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    for (qsizetype at = text.size() - 1; at >= 0; --at) {
      if (!Joins(text, at)) continue;
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + static_cast<int>(at) + 1);
      cursor.insertText(QString(QChar(0x2060)));
    }
  }
}

PagedRecord::PagedRecord(std::unique_ptr<QTextDocument> document, const QSizeF& page)
    : document_(std::move(document)) {
  // Laid out at one width and scaled to the paper: the widest table and the plot fit any paper.
  document_->setTextWidth(kLayoutWidth);
  pointsPerPixel_ = page.width() / kLayoutWidth;
  footerHeight_ = (kFooterGap + 1.3 * kFooterPoints) / pointsPerPixel_;
  pageHeight_ = page.height() / pointsPerPixel_ - footerHeight_;
  paginate();
}

PagedRecord::~PagedRecord() = default;

void PagedRecord::paginate() {
  const QAbstractTextDocumentLayout& layout = *document_->documentLayout();
  std::vector<Item> items;
  for (auto it = document_->rootFrame()->begin(); !it.atEnd(); ++it) {
    Item item;
    if (QTextFrame* frame = it.currentFrame()) {
      const QRectF rect = layout.frameBoundingRect(frame);
      item.top = rect.top();
      item.bottom = rect.bottom();
      item.table = qobject_cast<QTextTable*>(frame);
    } else {
      item.block = it.currentBlock();
      const QRectF rect = layout.blockBoundingRect(item.block);
      item.top = rect.top();
      item.bottom = rect.bottom();
      item.empty = item.block.text().trimmed().isEmpty() && !HasImage(item.block);
      item.keepWithNext = item.block.blockFormat().headingLevel() > 0;
    }
    items.push_back(item);
  }
  // A picture's caption stays with it.
  for (std::size_t i = 0, last = items.size(); i < items.size(); ++i) {
    if (items[i].empty) continue;
    if (last < items.size() && items[i].table == nullptr && HasImage(items[i].block)) items[last].keepWithNext = true;
    last = i;
  }

  // Where a page may end, and the tables whose headings repeat.
  std::vector<double> stops;
  struct Headed {
    double top, bottom, headerTop, headerBottom;
  };
  std::vector<Headed> tables;
  bool keep = false;
  // The bottom of what came before: the empty block that follows a table may lie inside it.
  double reached = 0.0;
  for (const Item& item : items) {
    if (!keep) stops.push_back(std::max(item.top, reached));
    if (item.empty) continue;
    reached = std::max(reached, item.bottom);
    keep = item.keepWithNext;
    if (item.table != nullptr) {
      QTextTable* table = item.table;
      const int header = std::min(table->format().headerRowCount(), table->rows() - 1);
      // Between rows, never inside one; the first row stays with the headings.
      for (int r = header + 1; r < table->rows(); ++r) {
        if (RowStartsClean(table, r)) stops.push_back(RowTop(layout, table, r));
      }
      if (header > 0) tables.push_back({item.top, item.bottom, RowTop(layout, table, 0), RowTop(layout, table, header)});
      continue;
    }
    // Between the lines of a long paragraph, two lines at least on either side.
    const QTextLayout* lines = item.block.layout();
    for (int l = 2; l + 2 <= lines->lineCount(); ++l) stops.push_back(lines->position().y() + lines->lineAt(l).y());
  }
  const double end = document_->size().height();
  stops.push_back(end);
  std::sort(stops.begin(), stops.end());

  pages_.clear();
  for (double start = 0.0; start < end - 0.5;) {
    Page page{start, end, 0.0, 0.0};
    for (const Headed& t : tables) {
      if (start > t.headerBottom + 0.5 && start < t.bottom - 0.5) {
        page.headerTop = t.headerTop;
        page.headerBottom = t.headerBottom;
      }
    }
    const double limit = start + pageHeight_ - (page.headerBottom - page.headerTop);
    // The last stop that fits; where none does (a piece taller than a page), the page is cut.
    const auto after = std::upper_bound(stops.begin(), stops.end(), limit);
    page.bottom = after != stops.begin() && *(after - 1) > start + 1.0 ? *(after - 1) : limit;
    page.bottom = std::min(page.bottom, end);
    pages_.push_back(page);
    start = page.bottom;
  }
}

QString PagedRecord::footer(std::size_t page) const {
  return QObject::tr("Page %1 of %2").arg(page + 1).arg(pages_.size());
}

void PagedRecord::paint(QPainter& painter, std::size_t index, const QRectF& target) const {
  const Page& page = pages_[index];
  painter.save();
  painter.translate(target.topLeft());
  const double scale = target.width() / kLayoutWidth;
  painter.scale(scale, scale);
  double y = 0.0;
  const auto slice = [&](double top, double bottom) {
    painter.save();
    painter.translate(0.0, y - top);
    document_->drawContents(&painter, QRectF(0.0, top, kLayoutWidth, bottom - top));
    painter.restore();
    y += bottom - top;
  };
  if (page.headerBottom > page.headerTop) slice(page.headerTop, page.headerBottom);
  slice(page.top, page.bottom);

  QFont font = document_->defaultFont();
  font.setPixelSize(static_cast<int>(kFooterPoints / pointsPerPixel_ + 0.5));
  painter.setFont(font);
  painter.setPen(QColor(0x44, 0x44, 0x44));
  const QRectF foot(0.0, pageHeight_, kLayoutWidth, footerHeight_);
  painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, document_->metaInformation(QTextDocument::DocumentTitle));
  painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom, footer(index));
  painter.restore();
}

}  // namespace zento::station
