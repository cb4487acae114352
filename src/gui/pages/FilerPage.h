#pragma once

#include "gui/pages/PageFrame.h"

class QComboBox;
class QLabel;

// "Filer Settings" (frame 2): the device file browser's view mode, sort key and sort order,
// with a picture of the browser in the chosen view mode.
class FilerPage : public PageFrame
{
    Q_OBJECT

public:
    static constexpr int PictureCount = 3;

    FilerPage(SettingsState &state, MessageBoxes &boxes, QWidget *parent = nullptr);

    QComboBox *FilerType() const { return m_type; }
    // Listed as "Name", "Type", "Size", "Date": the record's sort codes are in another order.
    QComboBox *FilerKind() const { return m_kind; }
    QComboBox *FilerSort() const { return m_sort; }
    // Element i pictures view mode i.
    QLabel *Picture1(int element) const;

    // Shows the picture of the selected view mode only (none when nothing is selected).
    void ShowFilerPicture();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FilerType_Click();

    QComboBox *m_type = nullptr;
    QComboBox *m_kind = nullptr;
    QComboBox *m_sort = nullptr;
    QLabel *m_pictures[PictureCount] = {nullptr, nullptr, nullptr};
    bool m_picturesDrawn = false;
};
