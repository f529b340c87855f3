#pragma once
// The header vocabulary of foreign tables: scoring cells as labels (to tell which way a table
// runs) and rewriting a foreign column-header line into the reader's own words.
#include <QString>
#include <QStringList>

namespace basConvert {

// The marker by which the table reader recognises a rewritten column-header line.
inline const QString HeaderMarker = QStringLiteral("★ラベル★");

// The cell in upper case and half-width, trimmed: the form in which labels are compared.
QString LabelForm(const QString& cell);

// 4 for a cell of the header vocabulary ("名前", "ｸﾗｽ", "TOTAL", "G", "ｽﾀｰﾄ…", "…→1", …);
// for a numeric cell 1 when its value is at most 20 (a plausible control number), else 0;
// 0 for any other text.
int ClassifyLabel(const QString& cell);

// The sum of ClassifyLabel over the cells, each distinct LabelForm counted once, so a label
// repeated by every class block of a table weighs no more than one.
int DistinctLabelScore(const QStringList& cells);

// A line one of whose fields is a name heading ("名前", "氏名", "NAMAE", "NAME").
bool IsNameHeaderLine(const QString& line);

// The line with every field rewritten into the reader's words ("クラス", "名前", "所属",
// "総タイム", "スタート時刻" and leg labels), followed by ",★ラベル★".
QString NormalizeHeaderLine(const QString& line);

}  // namespace basConvert
