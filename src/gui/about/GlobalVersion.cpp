#include "gui/about/GlobalVersion.h"

#include "gui/Preferences.h"
#include "gui/about/Emblems.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int EmblemSize = 48;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

GlobalVersion::GlobalVersion(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GlobalVersion"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Label1: the coloured band along the left edge.
    auto *label1 = makeLabel(this, "Label1", QString());
    label1->setFixedWidth(10);
    label1->setAutoFillBackground(true);
    QPalette band = label1->palette();
    band.setColor(QPalette::Window, QColor(0x0f, 0x7c, 0x7a));
    label1->setPalette(band);

    auto *image1 = makeLabel(this, "Image1", QString());
    image1->setPixmap(family::DrawTavionPicture(100, 130));
    image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    image1->setAccessibleName(tr("Tavion organiser"));

    // Image2: one emblem per family entry, all in the same place, all hidden until load.
    auto *emblems = new QWidget(this);
    auto *emblemGrid = new QGridLayout(emblems);
    emblemGrid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < family::TitleCount; ++i) {
        auto *emblem = new QLabel(emblems);
        emblem->setObjectName(QStringLiteral("Image2_%1").arg(i));
        emblem->setPixmap(family::DrawEmblem(i, EmblemSize));
        emblem->setFixedSize(EmblemSize, EmblemSize);
        emblem->setAccessibleName(family::Title(i));
        emblem->hide();
        emblemGrid->addWidget(emblem, 0, 0);
        m_image2[static_cast<std::size_t>(i)] = emblem;
    }
    emblems->setFixedSize(EmblemSize, EmblemSize);

    m_label2 = makeLabel(this, "Label2", QString());
    QFont titleFont = m_label2->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    m_label2->setFont(titleFont);

    auto *label3 = makeLabel(
        this, "Label3", QStringLiteral("Version 2.00 for Windows95 / Windows98 / WindowsNT4.0"));
    auto *label4 = makeLabel(this, "Label4",
                             tr("Copyright \u00a9 The Quorix developers. All rights reserved."));
    // Label6: the rule between the version lines and the notice.
    auto *label6 = makeLabel(this, "Label6", QString());
    label6->setFrameShape(QFrame::HLine);
    label6->setFrameShadow(QFrame::Sunken);
    auto *label7 = makeLabel(
        this, "Label7",
        tr("Warning: this program is protected by copyright law. Copying, changing or passing "
           "it on, in whole or in part, beyond what its licence allows may lead to civil and "
           "criminal penalties."));
    label7->setWordWrap(true);
    QFont small = label7->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label7->setFont(small);

    auto *command1 = new QPushButton(QStringLiteral("OK"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(emblems);
    titleRow->addSpacing(8);
    titleRow->addWidget(m_label2, 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(command1);

    auto *text = new QVBoxLayout;
    text->addLayout(titleRow);
    text->addSpacing(6);
    text->addWidget(label3);
    text->addWidget(label4);
    text->addSpacing(6);
    text->addWidget(label6);
    text->addWidget(label7);
    text->addStretch(1);
    text->addLayout(buttonRow);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(14);
    body->addWidget(image1);
    body->addLayout(text, 1);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(label1);
    outer->addLayout(body, 1);

    label7->setMinimumWidth(label3->sizeHint().width());
    setFixedSize(sizeHint());
}

void GlobalVersion::Form_Load()
{
    const bool known = AppNo >= 0 && AppNo < family::TitleCount;
    for (int i = 0; i < family::TitleCount; ++i)
        m_image2[static_cast<std::size_t>(i)]->setVisible(known && i == AppNo);
    if (known) {
        setWindowTitle(QStringLiteral("About ") + family::Title(AppNo));
        m_label2->setText(family::Title(AppNo));
    }
    CentreWindow(this, true);
}

void GlobalVersion::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}
