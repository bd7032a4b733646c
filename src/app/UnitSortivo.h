#pragma once

#include "ads/ADRec.h"
#include "ads/ADThread.h"
#include "platform/SaveDialog.h"
#include "platform/widgets/ImageList.h"
#include "wheel/SortivoGS.h"

#include <QPoint>
#include <QVector>

#include <optional>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTimer;
class BitmapButton;
class FlatPanel;
class GradientToolButton;
class ImageControl;
class Separator;
class TFormShadow;
class UrlLabel;
class AutoSizeLabel;

// The main window: a borderless 630 x 460 form holding the ball board, the bet
// list, the advertisement strip and the frame controls. The wheel and
// advertisement methods live beside their subsystems (src/wheel, src/ads).
class TFrmSortivo : public QWidget
{
    Q_OBJECT
    friend struct SortivoProbe; // tests look at the private state

public:
    explicit TFrmSortivo(QWidget *parent = nullptr);
    ~TFrmSortivo() override;

    static constexpr int ClientWidth = 630;
    static constexpr int ClientHeight = 460;

public Q_SLOTS:
    void BallClick(ImageControl *ball);
    void FormDestroy();
    void BtnCloseClick();
    void Label1MouseDown(const QPointF &globalPosition);
    void FormClose();
    void BtnClearClick();
    void BtnRandomClick();
    void BtnCreateClick();
    void BtnSaveClick();
    void RzComboBox1Change();
    void TimerADTimer();
    void LabelADClick();
    void ImageADClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Start-up and frame
    void CreateComponents();
    void FormCreate();
    void WMShowWindow(bool show);

    // Wheel formula table
    void LoadGS(const QString &fileName);
    int FindGS(const QString &name) const;

    // Ball board and selection
    void CreateBalls();
    void AddSelected(qint32 number);
    void RemoveSelected(qint32 number);
    int GetSelectedCount() const;
    QString GetSelectedText() const;
    void ClearSelection();
    void UpdateSelInfo();

    // Advertisement strip
    void LoadADList();
    void CheckADUpdate();
    bool ShowAD(int index);
    bool ShowFirstTextAD();
    bool ShowFirstPicAD();
    void OpenURL(const QString &url);
    void WMADListReady();
    void WMADPicReady(int index);

    // Components, in the form's creation order.
    ImageControl *ImageBk = nullptr;
    FlatPanel *PanelBall = nullptr;
    ImageList ImageListUp;
    ImageList ImageListDown;
    FlatPanel *PanelCode = nullptr;
    BitmapButton *BtnClose = nullptr;
    QLabel *Label1 = nullptr;
    UrlLabel *RzURLLabel1 = nullptr;
    QLabel *LabelSel = nullptr;
    AutoSizeLabel *Label3 = nullptr;
    Separator *RzSeparator1 = nullptr;
    GradientToolButton *BtnRandom = nullptr;
    ImageList ImageListBtn;
    GradientToolButton *BtnClear = nullptr;
    GradientToolButton *BtnCreate = nullptr;
    QComboBox *RzComboBox1 = nullptr;
    QLabel *Label4 = nullptr;
    GradientToolButton *BtnSave = nullptr;
    ImageList ImageListBtn16;
    quorbel::SaveDialog SaveDialog1; // keeps the name chosen last
    AutoSizeLabel *Label5 = nullptr;
    QPlainTextEdit *RzMemo1 = nullptr;
    FlatPanel *PanelAD = nullptr;
    ImageControl *ImageAD = nullptr;
    UrlLabel *RzURLLabelAD = nullptr;
    QLabel *LabelAD = nullptr;
    QTimer *TimerAD = nullptr;

    // State.
    quorbel::TGSList FGSList;
    QVector<ImageControl *> FBallList;
    TFormShadow *FShadow = nullptr;
    QVector<qint32> FSelected;
    qint32 FMaxNumber = 0;
    quorbel::TADList FADList;
    qint32 FADIndex = 0;
    QString FImageADURL;
    QString FLabelADURL;
    // Starts the download of a missing advertisement picture (tests put a fake here).
    std::function<void(QObject *receiver, const QString &url, const QString &supFolder, const QString &picFile,
                       int index)>
        FStartGetPic = quorbel::StartGetPicThread;

    // Set while the drag strip moves the window by hand (no window manager to do it).
    std::optional<QPoint> FDragOffset;
};
