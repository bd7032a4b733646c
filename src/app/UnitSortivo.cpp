#include "app/UnitSortivo.h"

#include "ads/ADMessages.h"
#include "ads/ADThread.h"
#include "app/AppPath.h"
#include "ads/ADTarget.h"
#include "platform/AppError.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/widgets/AutoSizeLabel.h"
#include "platform/widgets/BitmapButton.h"
#include "platform/widgets/FlatPanel.h"
#include "platform/widgets/GradientToolButton.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/Separator.h"
#include "platform/widgets/UrlLabel.h"
#include "shadow/ufrmShadowFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using namespace quorbel;

namespace {

const QString PublisherSiteUrl = QStringLiteral("https://quorbel.example/");

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

GradientToolButton *makeToolButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption,
                                   const QPixmap &glyph, Qt::ToolButtonStyle style, const QColor &top,
                                   const QColor &bottom)
{
    auto *button = new GradientToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setText(caption);
    button->setIcon(QIcon(glyph));
    button->setIconSize(glyph.size());
    button->setToolButtonStyle(style);
    button->setGradient(top, bottom, QColor(23, 23, 33));
    return button;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, color);
    widget->setPalette(p);
}

} // namespace

TFrmSortivo::TFrmSortivo(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmSortivo"));
    CreateComponents();
    try {
        FormCreate();
    } catch (const AppError &error) {
        MessageBoxes::showError(this, error.message());
    }
}

TFrmSortivo::~TFrmSortivo()
{
    // No worker message may reach a form that is going away.
    ADMessagePort::release(this);
    // A form destroyed without being closed still takes its shadow with it.
    FormClose();
    FormDestroy();
}

void TFrmSortivo::CreateComponents()
{
    setFixedSize(ClientWidth, ClientHeight);
    // Centred on the screen from the start, so the window is mapped there
    // rather than moved after it appears.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setFont(PixelFont(QStringLiteral("Tahoma"), 11));

    const QColor buttonFace = palette().color(QPalette::Button);
    QPalette formPalette = palette();
    formPalette.setColor(QPalette::Window, buttonFace);
    setPalette(formPalette);
    setAutoFillBackground(true);

    // Pictures-only controls first: they lie below the windowed ones.
    ImageBk = new ImageControl(this);
    ImageBk->setObjectName(QStringLiteral("ImageBk"));
    ImageBk->setGeometry(0, 0, ClientWidth, ClientHeight);
    ImageBk->setPicture(QPixmap(QStringLiteral(":/app/background.jpg")));

    ImageListUp = ImageList(QStringLiteral(":/wheel/balls_up.png"), 32, 32);
    ImageListDown = ImageList(QStringLiteral(":/wheel/balls_down.png"), 32, 32);
    ImageListBtn = ImageList(QStringList{QStringLiteral(":/app/glyph_monitor.png"), QStringLiteral(":/app/glyph_refresh.png"),
                                         QStringLiteral(":/app/glyph_wand.png")});
    ImageListBtn16 = ImageList(QStringLiteral(":/app/glyph_floppy16.png"), 16, 16);
    SaveDialog1.setTitle(QStringLiteral("保存"));
    SaveDialog1.setFilter(QStringLiteral("文本(*.txt)"));
    SaveDialog1.setDefaultSuffix(QStringLiteral("txt"));

    Label1 = makeLabel(this, "Label1", QRect(0, 0, ClientWidth, 33), QString());
    Label1->installEventFilter(this);

    RzURLLabel1 = new UrlLabel(this);
    RzURLLabel1->setObjectName(QStringLiteral("RzURLLabel1"));
    RzURLLabel1->setGeometry(7, 5, 228, 11);
    RzURLLabel1->setText(QStringLiteral("访问 Quorbel 主页"));
    RzURLLabel1->setUrl(PublisherSiteUrl);
    QFont linkFont = PixelFont(QStringLiteral("Tahoma"), 9);
    linkFont.setUnderline(true);
    RzURLLabel1->setFont(linkFont);
    RzURLLabel1->setTextColor(Qt::white);

    BtnRandom = makeToolButton(this, "BtnRandom", QRect(16, 380, 90, 67), QStringLiteral("随机选号"),
                               ImageListBtn.picture(0), Qt::ToolButtonTextUnderIcon, QColor(222, 224, 223),
                               QColor(123, 138, 176));
    BtnClear = makeToolButton(this, "BtnClear", QRect(112, 380, 90, 67), QStringLiteral("清空已选号"),
                              ImageListBtn.picture(1), Qt::ToolButtonTextUnderIcon, QColor(171, 181, 205),
                              QColor(81, 96, 135));
    BtnCreate = makeToolButton(this, "BtnCreate", QRect(342, 380, 90, 67), QStringLiteral("生成投注组合"),
                               ImageListBtn.picture(2), Qt::ToolButtonTextUnderIcon, QColor(171, 181, 205),
                               QColor(81, 96, 135));
    Label4 = makeLabel(this, "Label4", QRect(213, 428, 48, 13), QStringLiteral("缩水方式"));
    BtnSave = makeToolButton(this, "BtnSave", QRect(548, 128, 65, 20), QStringLiteral("保存"),
                             ImageListBtn16.picture(0), Qt::ToolButtonTextBesideIcon, QColor(222, 224, 223),
                             QColor(123, 138, 176));

    Label5 = new AutoSizeLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setAttribute(Qt::WA_TranslucentBackground);
    Label5->move(416, 92);
    Label5->setFont(PixelFont(QStringLiteral("Arial"), 11, true));
    Label5->setText(QStringLiteral("V1.0"));
    setTextColor(Label5, Qt::white);

    RzURLLabelAD = new UrlLabel(this);
    RzURLLabelAD->setObjectName(QStringLiteral("RzURLLabelAD"));
    RzURLLabelAD->setGeometry(589, 41, 30, 12);
    RzURLLabelAD->setText(QStringLiteral("ADURL"));
    RzURLLabelAD->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont adFont = SongFontPixels(12);
    adFont.setUnderline(true);
    RzURLLabelAD->setFont(adFont);
    RzURLLabelAD->setTextColor(Qt::white);
    // Its address comes from a list fetched over plain HTTP: web and mail only.
    RzURLLabelAD->setTargetFilter(IsWebTarget);
    RzURLLabelAD->hide();

    LabelAD = makeLabel(this, "LabelAD", QRect(577, 41, 42, 12), QStringLiteral("LabelAD"));
    LabelAD->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelAD->setTextFormat(Qt::PlainText);
    LabelAD->setFont(adFont);
    LabelAD->setCursor(Qt::PointingHandCursor);
    setTextColor(LabelAD, Qt::white);
    LabelAD->installEventFilter(this);
    LabelAD->hide();

    // Windowed controls lie above every picture and label.
    PanelBall = new FlatPanel(this);
    PanelBall->setObjectName(QStringLiteral("PanelBall"));
    PanelBall->setGeometry(16, 150, 416, 162);
    PanelBall->setFill(Qt::white);

    PanelCode = new FlatPanel(this);
    PanelCode->setObjectName(QStringLiteral("PanelCode"));
    PanelCode->setGeometry(16, 315, 416, 57);
    PanelCode->setFill(Qt::white);

    LabelSel = makeLabel(PanelCode, "LabelSel", QRect(8, 32, 401, 20), QString());
    LabelSel->setFont(PixelFont(QStringLiteral("Arial"), 15, true));
    LabelSel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColor(LabelSel, QColor(0, 0, 128));

    Label3 = new AutoSizeLabel(PanelCode);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAttribute(Qt::WA_TranslucentBackground);
    Label3->move(8, 8);
    Label3->setText(QStringLiteral("已选号码 0 个"));

    RzSeparator1 = new Separator(PanelCode);
    RzSeparator1->setObjectName(QStringLiteral("RzSeparator1"));
    RzSeparator1->setGeometry(0, 25, 416, 1);
    RzSeparator1->setColors(palette().color(QPalette::Dark), Qt::white);

    BtnClose = new BitmapButton(this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setGeometry(571, 1, 56, 26);
    BtnClose->setPictures(QPixmap(QStringLiteral(":/app/close_normal.png")),
                          QPixmap(QStringLiteral(":/app/close_hot.png")));
    BtnClose->setToolTip(QStringLiteral("关闭"));

    RzComboBox1 = new QComboBox(this);
    RzComboBox1->setObjectName(QStringLiteral("RzComboBox1"));
    RzComboBox1->setGeometry(265, 424, 65, 21);
    RzComboBox1->setEditable(false);
    RzComboBox1->addItems({QStringLiteral("中7保6"), QStringLiteral("中7保5")});
    RzComboBox1->setCurrentIndex(-1);

    RzMemo1 = new QPlainTextEdit(this);
    RzMemo1->setObjectName(QStringLiteral("RzMemo1"));
    RzMemo1->setGeometry(440, 150, 173, 298);
    RzMemo1->setReadOnly(true);
    RzMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RzMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RzMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RzMemo1->setFont(PixelFont(QStringLiteral("Arial"), 11));
    QPalette memoPalette = RzMemo1->palette();
    memoPalette.setColor(QPalette::Base, Qt::white);
    RzMemo1->setPalette(memoPalette);

    PanelAD = new FlatPanel(this, FlatPanel::Border::Status);
    PanelAD->setObjectName(QStringLiteral("PanelAD"));
    PanelAD->setGeometry(450, 59, 170, 48);
    PanelAD->hide();

    ImageAD = new ImageControl(PanelAD);
    ImageAD->setObjectName(QStringLiteral("ImageAD"));
    ImageAD->setGeometry(1, 1, 168, 46);
    ImageAD->setTag(-1);
    ImageAD->setCursor(Qt::PointingHandCursor);

    TimerAD = new QTimer(this);
    TimerAD->setObjectName(QStringLiteral("TimerAD"));
    TimerAD->setInterval(10000);

    connect(BtnClose, &QAbstractButton::clicked, this, &TFrmSortivo::BtnCloseClick);
    connect(BtnClear, &QAbstractButton::clicked, this, &TFrmSortivo::BtnClearClick);
    connect(BtnRandom, &QAbstractButton::clicked, this, &TFrmSortivo::BtnRandomClick);
    connect(BtnCreate, &QAbstractButton::clicked, this, &TFrmSortivo::BtnCreateClick);
    connect(BtnSave, &QAbstractButton::clicked, this, &TFrmSortivo::BtnSaveClick);
    connect(RzComboBox1, &QComboBox::activated, this, &TFrmSortivo::RzComboBox1Change);
    connect(TimerAD, &QTimer::timeout, this, &TFrmSortivo::TimerADTimer);
    connect(ImageAD, &ImageControl::clicked, this, &TFrmSortivo::ImageADClick);
}

void TFrmSortivo::FormCreate()
{
    SetApplicationTitle(QStringLiteral("Quorbel"));
    setWindowTitle(QStringLiteral("Quorbel"));
    Label5->setText(QStringLiteral("V1.5.4.0"));
    setFont(SongFont(9));
    Label3->setText(Label3->text()); // re-measure in the new font
    AppPath = GetAppPath();
    FADIndex = -1;
    FBallList.clear();

    FShadow = new TFormShadow(qApp);
    FShadow->Attach(this);

    CreateBalls();
    LoadGS(AppPath + QStringLiteral("GS.spt"));

    // Choosing the index from the program raises no change event: the count
    // line keeps its design text.
    RzComboBox1->setCurrentIndex(0);
    FSelected.clear();
    FMaxNumber = 30;
    ImageAD->setCursor(RzURLLabelAD->cursor());

    LoadADList();
    ShowFirstTextAD();
    ShowFirstPicAD();
    CheckADUpdate();
}

void TFrmSortivo::FormDestroy()
{
    FBallList.clear();
}

void TFrmSortivo::BtnCloseClick()
{
    close();
}

void TFrmSortivo::Label1MouseDown(const QPointF &globalPosition)
{
    // The window system moves the window with the mouse, on X11 and Wayland
    // alike; without a window manager that can, the strip drags it by hand.
    QWindow *window = windowHandle();
    if (window && window->startSystemMove())
        return;
    FDragOffset = globalPosition.toPoint() - pos();
}

void TFrmSortivo::FormClose()
{
    delete FShadow;
    FShadow = nullptr;
}

void TFrmSortivo::WMShowWindow(bool show)
{
    if (FShadow)
        FShadow->SetShowing(show);
}

bool TFrmSortivo::event(QEvent *event)
{
    if (event->type() == ADMessageEvent::eventType()) {
        const auto *message = static_cast<const ADMessageEvent *>(event);
        if (message->message() == WM_ADLISTREADY)
            WMADListReady();
        else if (message->message() == WM_ADPICREADY)
            WMADPicReady(int(message->lParam()));
        return true;
    }
    switch (event->type()) {
    case QEvent::Show:
        WMShowWindow(true);
        break;
    case QEvent::Hide:
        WMShowWindow(false);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool TFrmSortivo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Label1MouseDown(static_cast<QMouseEvent *>(event)->globalPosition());
            return true;
        case QEvent::MouseMove:
            if (FDragOffset)
                move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - *FDragOffset);
            return true;
        case QEvent::MouseButtonRelease:
            FDragOffset.reset();
            return true;
        default:
            break;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == LabelAD && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            LabelADClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFrmSortivo::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}
