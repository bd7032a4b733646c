#include "wheel/UnitGetCount.h"

#include "platform/Fonts.h"
#include "platform/ModalDialogs.h"
#include "platform/widgets/Separator.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace quorbel;

TFrmGetCount *FrmGetCount = nullptr;

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QSpinBox *makeSpinEdit(QWidget *parent, const char *name, const QRect &geometry, int minimum, int maximum,
                       int value)
{
    auto *edit = new QSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setRange(minimum, maximum);
    edit->setValue(value);
    edit->setFrame(true);
    // Typed text out of range becomes the nearest bound, not the old value.
    edit->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return edit;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

int confirmedValue(QSpinBox *edit)
{
    // OK pressed by Enter or by a click need not take the focus out of the
    // edit first, so the text typed last is taken over here: a number is
    // brought into the edit's range, anything else is left to the edit's own
    // correction.
    bool isNumber = false;
    const int typed = edit->locale().toInt(edit->cleanText(), &isNumber);
    if (isNumber)
        edit->setValue(typed);
    else
        edit->interpretText();
    return qBound(edit->minimum(), edit->value(), edit->maximum());
}

} // namespace

TFrmGetCount::TFrmGetCount(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FrmGetCount"));
    setWindowTitle(QStringLiteral("号码数量"));
    setFixedSize(ClientWidth, ClientHeight);
    move(DesignLeft, DesignTop);
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));

    Label1 = makeLabel(this, "Label1", QRect(42, 48, 60, 13), QStringLiteral("号码数量："));
    RzSpinEdit1 = makeSpinEdit(this, "RzSpinEdit1", QRect(112, 44, 81, 21), 9, 16, 9);
    RzButton1 = makeButton(this, "RzButton1", QRect(112, 90, 75, 23), QStringLiteral("确定(&O)"));
    RzButton2 = makeButton(this, "RzButton2", QRect(194, 90, 75, 23), QStringLiteral("取消(&C)"));
    RzSeparator1 = new Separator(this);
    RzSeparator1->setObjectName(QStringLiteral("RzSeparator1"));
    RzSeparator1->setGeometry(0, 76, ClientWidth, 1);
    RzSeparator1->setColors(palette().color(QPalette::Dark), Qt::white);
    Label2 = makeLabel(this, "Label2", QRect(42, 20, 60, 13), QStringLiteral("最大号码："));
    RzSpinEdit2 = makeSpinEdit(this, "RzSpinEdit2", QRect(112, 16, 81, 21), 20, 40, 30);

    RzButton1->setDefault(true);
    connect(RzButton1, &QPushButton::clicked, this, &QDialog::accept);
    connect(RzButton2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(RzSpinEdit2, RzSpinEdit1);
    setTabOrder(RzSpinEdit1, RzButton1);
    setTabOrder(RzButton1, RzButton2);
    RzSpinEdit2->setFocus();

    FormCreate();
}

void TFrmGetCount::FormCreate()
{
    setFont(SongFont(9));
}

int TFrmGetCount::ConfirmedCount()
{
    return confirmedValue(RzSpinEdit1);
}

int TFrmGetCount::ConfirmedMaxNumber()
{
    return confirmedValue(RzSpinEdit2);
}

void TFrmGetCount::keyPressEvent(QKeyEvent *event)
{
    // The dialog has no cancel button: Escape closes nothing. The close box
    // still cancels (it goes through closeEvent, not here).
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int ShowGetCount(int MinCount, int MaxCount, int InitialCount, qint32 &MaxNumber)
{
    TFrmGetCount dialog;
    FrmGetCount = &dialog;
    struct ClearOnExit
    {
        ~ClearOnExit() { FrmGetCount = nullptr; }
    } clearOnExit;

    dialog.RzSpinEdit1->setMinimum(MinCount);
    dialog.RzSpinEdit1->setMaximum(MaxCount);
    dialog.RzSpinEdit1->setValue(InitialCount);
    if (MaxNumber > 0)
        dialog.RzSpinEdit2->setValue(MaxNumber);

    if (ModalDialogs::exec(dialog) != QDialog::Accepted)
        return -1;
    MaxNumber = dialog.ConfirmedMaxNumber();
    return dialog.ConfirmedCount();
}
