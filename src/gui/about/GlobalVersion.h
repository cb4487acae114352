#pragma once

#include <QDialog>

#include <array>

class QLabel;

// The About box shared by the programs of the Tavion family. The caller sets AppNo to its own
// entry before showing it; Quorix uses entry 1:
//
//     GlobalVersion about(this);
//     about.AppNo = 1;
//     about.exec();
class GlobalVersion : public QDialog
{
    Q_OBJECT

public:
    explicit GlobalVersion(QWidget *parent = nullptr);

    // Entry of the family's title and emblem tables (0..12). Outside that range the box shows
    // neither a title nor an emblem.
    qint16 AppNo = 1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();

    std::array<QLabel *, 13> m_image2{};
    QLabel *m_label2 = nullptr;
};
