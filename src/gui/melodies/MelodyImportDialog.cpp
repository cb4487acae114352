#include "gui/melodies/MelodyImportDialog.h"

#include "core/MidiImport.h"
#include "core/RtttlImport.h"
#include "gui/melodies/Named.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Ringtone texts and MIDI files of real collections are far smaller.
constexpr qint64 MaxInputBytes = 16 * 1024 * 1024;

std::span<const std::uint8_t> bytesOf(const QByteArray &bytes)
{
    return {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())};
}

} // namespace

MelodyResult importMelody(const ImportSource &source)
{
    const auto bytes = bytesOf(source.bytes);
    const std::string_view text(source.bytes.constData(), std::size_t(source.bytes.size()));
    if (LooksLikeMidi(bytes))
        return ImportMidi(bytes, source.options);
    if (LooksLikeMelodyText(text))
        return ParseMelodyText(text);
    return ImportRtttl(text, source.options);
}

MelodyImportDialog::MelodyImportDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MelodyImportDialog"));
    setWindowTitle(QStringLiteral("Import a Melody"));

    m_text = named(new QPlainTextEdit(this), QStringLiteral("ImportText"),
                   QStringLiteral("Ringtone text"));
    m_text->setTabChangesFocus(true);
    m_text->setPlaceholderText(QStringLiteral("name:d=4,o=5,b=120:c,e,g,8c6"));
    auto *textLabel = new QLabel(QStringLiteral("Ringtone (RTTTL) &text:"), this);
    textLabel->setBuddy(m_text);

    auto *fileButton = named(new QPushButton(QStringLiteral("From &file..."), this),
                             QStringLiteral("ImportFile"), QStringLiteral("Import from a file"));
    connect(fileButton, &QPushButton::clicked, this, &MelodyImportDialog::chooseFile);
    m_file = named(new QLabel(this), QStringLiteral("ImportFileName"), QStringLiteral("MIDI file"));

    m_track =
        named(new QSpinBox(this), QStringLiteral("ImportTrack"), QStringLiteral("MIDI track"));
    m_track->setRange(0, 65535);
    m_track->setSpecialValueText(QStringLiteral("the one with the most notes"));
    m_track->setEnabled(false);
    m_legato = named(new QCheckBox(QStringLiteral("&Legato: notes sound to their end"), this),
                     QStringLiteral("ImportLegato"), QStringLiteral("Legato"));

    auto *form = new QFormLayout;
    form->addRow(fileButton, m_file);
    form->addRow(QStringLiteral("MIDI t&rack:"), m_track);
    form->addRow(m_legato);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ImportButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ImportOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ImportCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel);
    layout->addWidget(m_text);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(460, 300);
}

void MelodyImportDialog::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import a Melody"), {},
        QStringLiteral("Melodies (*.mid *.midi *.rtttl *.rtx *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(MaxInputBytes + 1);
    if (bytes.isEmpty() || bytes.size() > MaxInputBytes) {
        m_file->setText(QStringLiteral("%1: cannot be read, or larger than 16 MiB").arg(path));
        return;
    }
    m_midi.clear();
    if (LooksLikeMidi(bytesOf(bytes))) {
        m_midi = bytes;
        m_file->setText(path);
    } else {
        m_text->setPlainText(QString::fromUtf8(bytes));
        m_file->clear();
    }
    m_track->setEnabled(!m_midi.isEmpty());
}

ImportSource MelodyImportDialog::source() const
{
    ImportSource source;
    source.bytes = m_midi.isEmpty() ? m_text->toPlainText().toUtf8() : m_midi;
    source.options.track = m_track->value();
    source.options.legato = m_legato->isChecked();
    return source;
}

std::optional<ImportSource> MelodyImportDialog::ask(QWidget *parent)
{
    MelodyImportDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.source();
}
