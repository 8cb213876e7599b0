#pragma once
// The record on paper: the record's text document cut into pages where a reader expects it (never
// inside a word, a table row, or between a heading and what it heads), each long table's
// headings repeated at the top of a page it continues on, and each page numbered.

#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class QRectF;
class QTextDocument;

namespace zento::station {

// Joins the parts of a figure or a unit that Qt's line breaking would part ("0.|25", "W/|m²",
// "7/|8"), with word joiners, so that a line breaks only between words.
void KeepWordsWhole(QTextDocument& document);

class PagedRecord {
 public:
  // Takes the document (laid out here); `page` is the printable area's size in points. The
  // document's title names the record at the foot of each page.
  PagedRecord(std::unique_ptr<QTextDocument> document, const QSizeF& page);
  ~PagedRecord();

  // Where the document is laid out (in its own pixels) and what each page shows of it.
  static constexpr double kLayoutWidth = 800.0;
  struct Page {
    double top = 0.0, bottom = 0.0;  // the part of the document on the page
    double headerTop = 0.0, headerBottom = 0.0;  // the table headings repeated above it, if any
  };
  const std::vector<Page>& pages() const { return pages_; }
  const QTextDocument& document() const { return *document_; }
  double pageHeight() const { return pageHeight_; }  // the body of a page, in the document's pixels

  // "Page 2 of 5", beside the record's title at the foot of the page.
  QString footer(std::size_t page) const;
  // Paints a page into `target`, the printable area in the painter's coordinates.
  void paint(QPainter& painter, std::size_t page, const QRectF& target) const;

 private:
  void paginate();

  std::unique_ptr<QTextDocument> document_;
  double pointsPerPixel_ = 1.0, pageHeight_ = 0.0, footerHeight_ = 0.0;
  std::vector<Page> pages_;
};

}  // namespace zento::station
