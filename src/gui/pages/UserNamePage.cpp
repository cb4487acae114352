#include "gui/pages/UserNamePage.h"

#include "gui/pages/PageNumbers.h"

#include <QLineEdit>

UserNamePage::UserNamePage(SettingsState &state, MessageBoxes &boxes, QWidget *parent)
    : PageFrame(frames::UserName, QStringLiteral("(Not Used)"), HeightTwips, state, boxes, parent)
{
    setAccessibleName(QStringLiteral("User Name"));
    auto *frame = addFrame(this, QStringLiteral("FrameUserName"), QStringLiteral("User &Name"),
                           2280, 120, 3495, 855);
    m_userName = new QLineEdit(frame);
    m_userName->setObjectName(QStringLiteral("UserName"));
    m_userName->setAccessibleName(QStringLiteral("User Name"));
    m_userName->setMaxLength(MaxLength);
    placeTwips(m_userName, 900, 360, 1695, 300);
}
