#include "gui/pages/FilerPage.h"

#include "gui/pages/ListClick.h"
#include "gui/pages/PageNumbers.h"

#include "core/ValueRules.h"
#include "gui/pages/ControlArray.h"
#include "gui/pages/FilerPictures.h"
#include "settings/SettingsState.h"

#include <QComboBox>
#include <QLabel>

#include <span>

namespace {

constexpr const char *TypeEntries[] = {"Icon", "Lists(+type)", "Lists"};
constexpr const char *KindEntries[] = {"Name", "Type", "Size", "Date"};
constexpr const char *SortEntries[] = {"Ascending", "Descending"};
static_assert(std::ssize(TypeEntries) == valueRule("FilerViewMode").entries());
// Each position stands for one of the sort key codes.
static_assert(std::ssize(KindEntries) == valueRule("FilerSortKey").entries());
static_assert(std::ssize(SortEntries) == valueRule("FilerSortOrder").entries());

} // namespace

FilerPage::FilerPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::Filer, QStringLiteral("Filer Settings"), HeightTwips, state, boxes, parent)
{
    const struct
    {
        const char *name;
        const char *caption;
        const char *spoken;
        int top;
        std::span<const char *const> entries;
        QComboBox **list;
    } lists[] = {
        {"FilerType", "View &Mode", "View Mode", 360, TypeEntries, &m_type},
        {"FilerKind", "Sort &by", "Sort by", 1320, KindEntries, &m_kind},
        {"FilerSort", "Sort &Order", "Sort Order", 2280, SortEntries, &m_sort},
    };
    for (const auto &entry : lists) {
        const QString name = QString::fromLatin1(entry.name);
        auto *frame = addFrame(this, QStringLiteral("Frame") + name,
                               QString::fromLatin1(entry.caption), 4320, entry.top, 2415, 650);
        auto *list = new QComboBox(frame);
        list->setObjectName(name);
        list->setAccessibleName(QString::fromLatin1(entry.spoken));
        for (const char *text : entry.entries)
            list->addItem(QString::fromLatin1(text));
        placeTwips(list, 240, 240, 1935, 315);
        *entry.list = list;
    }

    auto *previewFrame = new QGroupBox(this);
    previewFrame->setObjectName(QStringLiteral("FramePreview"));
    previewFrame->setAccessibleName(QStringLiteral("Filer Display"));
    placeTwips(previewFrame, 855, 840, 2535, 1635);
    auto *caption = new QLabel(QStringLiteral("Filer Display"), previewFrame);
    caption->setObjectName(QStringLiteral("LabelFilerDisplay"));
    placeTwips(caption, 120, 120, 1800, 255);
    const char *pictureNames[PictureCount] = {"Icon view", "List view with file types",
                                              "List view"};
    // The pictures are drawn when the page is first shown; until then a blank of their size
    // gives the labels the same size hints.
    QPixmap blank(filerpictures::Width, filerpictures::Height);
    blank.fill(Qt::white);
    for (int i = 0; i < PictureCount; ++i) {
        auto *picture = new QLabel(previewFrame);
        picture->setObjectName(controls::elementName(QStringLiteral("Picture1"), i));
        picture->setAccessibleName(QString::fromLatin1(pictureNames[i]));
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
        picture->setAlignment(Qt::AlignCenter);
        picture->setPixmap(blank);
        placeTwips(picture, 540, 435, 1590, 1020);
        m_pictures[i] = picture;
    }

    connectListClick(m_type, this, [this] { FilerType_Click(); });
    // FilerKind_Click, FilerSort_Click
    for (QComboBox *list : {m_kind, m_sort})
        connectListClick(list, this, [this] { m_state.ChangedFlag = true; });
}

void FilerPage::showEvent(QShowEvent *event)
{
    if (!m_picturesDrawn) {
        for (int i = 0; i < PictureCount; ++i)
            m_pictures[i]->setPixmap(QPixmap::fromImage(filerpictures::draw(i)));
        m_picturesDrawn = true;
    }
    PageFrame::showEvent(event);
}

QLabel *FilerPage::Picture1(int element) const
{
    return element >= 0 && element < PictureCount ? m_pictures[element] : nullptr;
}

void FilerPage::ShowFilerPicture()
{
    const int selected = m_type->currentIndex();
    for (int i = 0; i < m_type->count() && i < PictureCount; ++i)
        m_pictures[i]->setVisible(i == selected);
}

void FilerPage::FilerType_Click()
{
    ShowFilerPicture();
    m_state.ChangedFlag = true;
}
