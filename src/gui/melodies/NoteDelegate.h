#pragma once

#include <QSpinBox>
#include <QStyledItemDelegate>

// A note by name: typed as "C#5" (or "rest"), stepped a semitone with the up and down keys.
class NoteSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit NoteSpinBox(QWidget *parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;
};

// The table's editors: a NoteSpinBox for the note, spin boxes within the format's ranges for
// length and sounded quarters, so that no value outside them can be typed.
class NoteDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};
