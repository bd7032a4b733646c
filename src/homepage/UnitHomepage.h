#pragma once

#include "homepage/StartPage.h"

#include <QDialog>

class QLabel;
class QPushButton;
class Separator;
class UrlLabel;

// The sponsorship dialog: shows the current browser start page and the
// proposed one; "确定(&O)" makes the proposed one the start page.
class TFormHomePage : public QDialog
{
    Q_OBJECT
public:
    explicit TFormHomePage(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    UrlLabel *RzURLLabel1 = nullptr;
    UrlLabel *RzURLLabel2 = nullptr;
    Separator *RzSeparator1 = nullptr;
    QPushButton *RzButton1 = nullptr;
    QPushButton *RzButton2 = nullptr;

public Q_SLOTS:
    void FormCreate();
    void RzButton1Click();
};

// Thanks the user when `URL` already is the start page, otherwise asks through
// TFormHomePage whether to make it the start page.
void ShowHomePage(const QString &URL);
