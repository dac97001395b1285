#pragma once
#include <QList>
#include <QPoint>
#include <QString>

class QWidget;

// The right-click menu of a grid row: "修正…" and "削除…". An item can be
// disabled with a tooltip that says why.
struct RowMenuItem {
    QString text;
    bool enabled = true;
    QString whyDisabled = QString(); // the tooltip of a disabled item
};
// The index of the chosen item, or -1 when the menu was closed without a choice.
int chooseFromRowMenu(QWidget *parent, QPoint globalPos, const QList<RowMenuItem> &items);

// The two items every correctable grid offers.
inline const QString kFixItem = QStringLiteral("修正…");
inline const QString kDeleteItem = QStringLiteral("削除…");
// And every grid: the grid written to a CSV file.
inline const QString kExportItem = QStringLiteral("CSVに書き出す…");
