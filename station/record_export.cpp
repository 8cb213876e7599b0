#include "station/record_export.h"

#include <QBuffer>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

#include "core/plot.h"
#include "report/record.h"
#include "station/file_io.h"
#include "station/record_pages.h"

namespace zento::station {
namespace {

constexpr int kPlotWidth = 720, kPlotHeight = 460;  // as the record's <img> says
constexpr int kPlotScale = 3;                       // pixels of the picture per pixel of the page

std::string Html(const Station& station, const StationResult& result, const std::string& plotImage,
                 bool paper = false) {
  return EvaluationRecordHtml(station, result, {TodayIso(), ZENTO_VERSION, plotImage, paper});
}

}  // namespace

QPageSize::PageSizeId LocalPageSize() {
  return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

std::unique_ptr<QTextDocument> RecordDocument(const Station& station, const StationResult& result) {
  auto document = std::make_unique<QTextDocument>();
  if (const auto worst = WorstBand(result)) {
    if (const auto plot = MakePlot(station, result, worst->first, worst->second)) {
      const std::string svg = PlotSvg(station, *plot, kPlotWidth, kPlotHeight);
      QSvgRenderer renderer(QByteArray::fromStdString(svg));
      QImage image(kPlotWidth * kPlotScale, kPlotHeight * kPlotScale, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::white);
      QPainter painter(&image);
      renderer.render(&painter);
      painter.end();
      document->addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(kPlotImageName)), image);
    }
  }
  // A word is never broken: a table too wide for the page would say so by its width.
  QTextOption option = document->defaultTextOption();
  option.setWrapMode(QTextOption::WordWrap);
  document->setDefaultTextOption(option);
  document->setDocumentMargin(0);  // the paper has its own
  document->setHtml(QString::fromStdString(Html(station, result, kPlotImageName, true)));
  KeepWordsWhole(*document);
  return document;
}

void PrintRecord(const Station& station, const StationResult& result, QPagedPaintDevice* device) {
  const PagedRecord record(RecordDocument(station, result),
                           device->pageLayout().paintRect(QPageLayout::Point).size());
  QPainter painter(device);
  const QRectF target(0, 0, device->width(), device->height());
  for (std::size_t page = 0; page < record.pages().size(); ++page) {
    if (page > 0) device->newPage();
    record.paint(painter, page, target);
  }
}

bool WriteRecordHtml(const QString& path, const Station& station, const StationResult& result, QString& error) {
  const std::string html = Html(station, result, {});
  return WriteFileAtomically(path, QByteArrayView(html.data(), static_cast<qsizetype>(html.size())), error);
}

bool WriteRecordPdf(const QString& path, const Station& station, const StationResult& result, QString& error) {
  // Laid out in memory and written in one piece, as every file is.
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(LocalPageSize()));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle(QStringLiteral("RF exposure evaluation of %1").arg(QString::fromStdString(station.callsign)));
    pdf.setCreator(QStringLiteral("ZENTO Station " ZENTO_VERSION));
    PrintRecord(station, result, &pdf);
  }
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace zento::station
