#include "homepage/UnitHomepage.h"

#include "ads/ADTarget.h"
#include "platform/AppError.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalDialogs.h"
#include "platform/widgets/Separator.h"
#include "platform/widgets/UrlLabel.h"

#include <QLabel>
#include <QPushButton>

using namespace quorbel;

namespace {

// The dialog's 370 x 250 outer size less a sizeable frame (4-pixel borders and
// a 19-pixel caption); the window manager adds its own frame around this.
constexpr int HomePageClientWidth = 362;
constexpr int HomePageClientHeight = 223;

QLabel *makeLabel(QWidget *parent, const char *name, int left, int top, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

UrlLabel *makeUrlLabel(QWidget *parent, const char *name, int left, int top)
{
    auto *label = new UrlLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    QFont font = PixelFont(QStringLiteral("Tahoma"), 11);
    font.setUnderline(true);
    label->setFont(font);
    label->setTextColor(parent->palette().color(QPalette::Highlight));
    // The addresses come from a list fetched over plain HTTP: only web and
    // mail addresses are handed to the desktop.
    label->setTargetFilter(IsWebTarget);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

void setUrlLabel(UrlLabel *label, const QString &caption, const QString &url)
{
    label->setText(caption);
    label->setUrl(url);
    label->adjustSize();
}

} // namespace

TFormHomePage::TFormHomePage(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FormHomePage"));
    setWindowTitle(QStringLiteral("赞助软件作者"));
    resize(HomePageClientWidth, HomePageClientHeight);
    setFont(PixelFont(QStringLiteral("Tahoma"), 11));

    Label1 = makeLabel(this, "Label1", 24, 38, QStringLiteral("本软件是免费软件，为支持作者的艰辛工作......"));
    Label2 = makeLabel(this, "Label2", 24, 58, QStringLiteral("请点击“确定”按钮，将下列网址设为浏览器主页，谢谢！"));
    RzURLLabel1 = makeUrlLabel(this, "RzURLLabel1", 24, 88);
    RzURLLabel2 = makeUrlLabel(this, "RzURLLabel2", 24, 112);

    RzSeparator1 = new Separator(this);
    RzSeparator1->setObjectName(QStringLiteral("RzSeparator1"));
    RzSeparator1->setGeometry(0, 161, 359, 1);
    RzSeparator1->setColors(QColor(226, 240, 246), Qt::white);

    RzButton1 = makeButton(this, "RzButton1", QRect(176, 178, 75, 23), QStringLiteral("确定(&O)"));
    RzButton1->setDefault(true);
    RzButton2 = makeButton(this, "RzButton2", QRect(256, 178, 75, 23), QStringLiteral("取消(&C)"));
    setTabOrder(RzButton1, RzButton2);
    RzButton1->setFocus();

    connect(RzButton1, &QPushButton::clicked, this, &TFormHomePage::RzButton1Click);
    connect(RzButton2, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

void TFormHomePage::FormCreate()
{
    setFont(SongFont(9));
    // The labels size themselves to the new font.
    Label1->adjustSize();
    Label2->adjustSize();
}

void TFormHomePage::RzButton1Click()
{
    try {
        // The address, not the caption, becomes the start page.
        SetIEStartPage(RzURLLabel2->url());
    } catch (const AppError &error) {
        // Nothing written: report it and leave the dialog open.
        MessageBoxes::showError(this, error.message());
        return;
    }
    accept();
}

void ShowHomePage(const QString &URL)
{
    TFormHomePage form;
    QString current;
    GetIEStartPage(current);
    if (current == URL) {
        MessageBoxes::show(nullptr, QStringLiteral("您已经赞助过软件作者，谢谢！"), QStringLiteral("信息"),
                           MessageIcon::Information);
        return;
    }
    setUrlLabel(form.RzURLLabel1, QStringLiteral("当前主页: ") + current, current);
    setUrlLabel(form.RzURLLabel2, QStringLiteral("修改为: ") + URL, URL);
    // Whatever the result: the OK button has already written the start page.
    ModalDialogs::exec(form);
}
