#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class Separator;

// The count dialog of the random pick: how many numbers to draw and the
// highest number that may be drawn. A fixed 292 x 126 dialog at its designed
// place; Enter presses OK, Escape presses nothing, the close box cancels.
class TFrmGetCount : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmGetCount(QWidget *parent = nullptr);

    static constexpr int ClientWidth = 292;
    static constexpr int ClientHeight = 126;
    static constexpr int DesignLeft = 311;
    static constexpr int DesignTop = 334;

    // Components, in declaration order.
    QLabel *Label1 = nullptr;
    QSpinBox *RzSpinEdit1 = nullptr; // the count
    QPushButton *RzButton1 = nullptr; // OK
    QPushButton *RzButton2 = nullptr; // Cancel
    Separator *RzSeparator1 = nullptr;
    QLabel *Label2 = nullptr;
    QSpinBox *RzSpinEdit2 = nullptr; // the highest number

    // Both spin edits' values, with any text still being typed taken over and
    // brought into the edit's range first.
    int ConfirmedCount();
    int ConfirmedMaxNumber();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
};

// The dialog while ShowGetCount runs it; null otherwise.
extern TFrmGetCount *FrmGetCount;

// Runs the count dialog: the count offered is `InitialCount` within
// MinCount..MaxCount, the highest number `MaxNumber` when it is above 0 (else
// 30). On OK, `MaxNumber` takes the confirmed highest number and the count is
// returned; otherwise -1 is returned and `MaxNumber` is left as it was.
int ShowGetCount(int MinCount, int MaxCount, int InitialCount, qint32 &MaxNumber);
