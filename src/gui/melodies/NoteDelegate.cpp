#include "gui/melodies/NoteDelegate.h"

#include "core/Melody.h"
#include "core/ToneSynth.h"
#include "gui/melodies/MelodyTableModel.h"

#include <QRegularExpression>

namespace {

const QString kRest = QStringLiteral("rest");

} // namespace

NoteSpinBox::NoteSpinBox(QWidget *parent) : QSpinBox(parent)
{
    setObjectName(QStringLiteral("NoteEditor"));
    setAccessibleName(QStringLiteral("Note"));
    setRange(MelodyTableModel::RestNote, MaxNote);
    setSpecialValueText(kRest);
}

QString NoteSpinBox::textFromValue(int value) const
{
    return value == MelodyTableModel::RestNote ? kRest : QString::fromStdString(NoteName(value));
}

int NoteSpinBox::valueFromText(const QString &text) const
{
    const QString name = text.trimmed();
    if (name.compare(kRest, Qt::CaseInsensitive) == 0)
        return MelodyTableModel::RestNote;
    return NoteFromName(name.toStdString());
}

QValidator::State NoteSpinBox::validate(QString &text, int &) const
{
    const QString name = text.trimmed();
    if (name.compare(kRest, Qt::CaseInsensitive) == 0 ||
        NoteFromName(name.toStdString()) != MelodyTableModel::RestNote)
        return QValidator::Acceptable;
    // A name on its way: a rest's start, or a letter, a sharp or flat and up to two digits.
    static const QRegularExpression partial(QStringLiteral("^(r|re|res|[a-gA-G][#b]?\\d{0,2})?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return partial.match(name).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

QWidget *NoteDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &index) const
{
    if (index.column() == MelodyTableModel::NoteColumn)
        return new NoteSpinBox(parent);
    auto *box = new QSpinBox(parent);
    if (index.column() == MelodyTableModel::LengthColumn) {
        box->setObjectName(QStringLiteral("LengthEditor"));
        box->setAccessibleName(QStringLiteral("Length in units"));
        box->setRange(1, MaxRecordUnits);
    } else {
        box->setObjectName(QStringLiteral("SoundedEditor"));
        box->setAccessibleName(QStringLiteral("Sounded quarters"));
        box->setRange(0, FullySounded);
    }
    return box;
}
