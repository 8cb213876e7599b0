#pragma once
// A choice of (transmitter, band), "Worst ..." first: the plot's and the near field's.

#include <QComboBox>
#include <QList>
#include <QPoint>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>

namespace zento::station {

// Shows `labels` with their (transmitter, band) in `box`, untouched when they are what it shows;
// a band chosen before stays chosen while it is there, else the first ("Worst") is.
inline void ShowBandChoices(QComboBox* box, const QStringList& labels, const QList<QPoint>& bands) {
  bool same = box->count() == labels.size();
  for (int i = 0; same && i < labels.size(); ++i) same = box->itemText(i) == labels[i];
  if (same) return;
  const QString current = box->currentIndex() > 0 ? box->currentText() : QString();
  const QSignalBlocker block(box);
  box->clear();
  for (int i = 0; i < labels.size(); ++i) box->addItem(labels[i], bands[i]);
  box->setCurrentIndex(std::max(0, static_cast<int>(labels.indexOf(current))));
}

}  // namespace zento::station
