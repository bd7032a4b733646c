// The advertisement strip of the main form: showing entries in their slots,
// the rotation, the workers' messages and the clicks.

#include "app/UnitSortivo.h"

#include "ads/ADPanelLayout.h"
#include "ads/ADPicPath.h"
#include "ads/ADPictureFormat.h"
#include "ads/ADTarget.h"
#include "app/AppPath.h"
#include "homepage/UnitHomepage.h"
#include "platform/AppError.h"
#include "platform/MessageBoxes.h"
#include "platform/UrlOpener.h"
#include "platform/widgets/FlatPanel.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/UrlLabel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

using namespace quorbel;

namespace {

const QString SupFolderName = QStringLiteral("Sup/");
const QString ADCacheFileName = QStringLiteral("Ad.his");

// Reads an advertisement picture with the reader its extension names, and
// only with that one: content of another format fails like a damaged file.
bool ReadADPicture(const QString &fileName, QPixmap &picture)
{
    const QByteArray format = ADPictureFormat(fileName);
    if (format.isEmpty())
        return false;
    QImageReader reader(fileName, format);
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    picture = QPixmap::fromImage(image);
    return !picture.isNull();
}

// The text slot's labels size themselves to their caption and keep their
// right edge where it is.
void ShowCaptionRightAligned(QLabel *label, const QString &caption)
{
    const int right = label->x() + label->width();
    label->setText(caption);
    label->adjustSize();
    label->move(right - label->width(), label->y());
}

} // namespace

bool TFrmSortivo::ShowAD(int index)
{
    if (index < 0 || index >= FADList.size())
        return false;
    // A copy: processing events below may deliver a new list.
    const TADRec entry = FADList.at(index);

    switch (entry.Kind) {
    case 1:
        LabelAD->hide();
        ShowCaptionRightAligned(RzURLLabelAD, entry.Caption);
        RzURLLabelAD->setUrl(entry.Target);
        RzURLLabelAD->setToolTip(entry.Hint);
        RzURLLabelAD->show();
        return true;

    case 3:
        RzURLLabelAD->hide();
        ShowCaptionRightAligned(LabelAD, entry.Caption);
        LabelAD->setToolTip(entry.Hint);
        FLabelADURL = entry.Target;
        LabelAD->show();
        return true;

    case 2: {
        // A name from the network must not reach outside the "Sup" folder.
        if (!IsBarePicFileName(entry.PicFile))
            return false;
        const QString supFolder = AppPath + SupFolderName;
        const QString fileName = supFolder + entry.PicFile;
        if (!QFileInfo::exists(fileName)) {
            ImageAD->setTag(-1);
            FStartGetPic(this, entry.PicURL, supFolder, entry.PicFile, index);
            return false;
        }
        // Already on display: no file is read.
        if (index == ImageAD->tag())
            return true;

        QPixmap picture;
        if (!ReadADPicture(fileName, picture))
            return false; // the slot keeps its picture, place and click target
        const QRect panel = ADPanelGeometry(picture.size(), width());
        PanelAD->setGeometry(panel);
        ImageAD->setGeometry(1, 1, panel.width() - 2, panel.height() - 2);
        ImageAD->setPicture(picture);
        ImageAD->setToolTip(entry.Hint);
        // Taken only with a picture loaded, so a picture never carries
        // another entry's target.
        FImageADURL = entry.Target;
        PanelAD->show();
        ImageAD->setTag(index);
        // Paint the new picture now rather than at the next idle moment.
        QCoreApplication::processEvents();
        return true;
    }

    default:
        return false;
    }
}

bool TFrmSortivo::ShowFirstTextAD()
{
    for (int i = 0; i < FADList.size(); ++i) {
        if (FADList.at(i).Kind == 1 || FADList.at(i).Kind == 3)
            return ShowAD(i);
    }
    return false;
}

bool TFrmSortivo::ShowFirstPicAD()
{
    // Only the first picture entry is tried, even when its file is missing.
    for (int i = 0; i < FADList.size(); ++i) {
        if (FADList.at(i).Kind == 2)
            return ShowAD(i);
    }
    return false;
}

void TFrmSortivo::TimerADTimer()
{
    int next = FADIndex + 1;
    if (next >= FADList.size())
        next = 0;
    if (!FADList.isEmpty())
        ShowAD(next);
    FADIndex = next;
}

void TFrmSortivo::WMADPicReady(int index)
{
    // The index was taken before any list refresh: only its range is checked.
    if (index >= 0 && index < FADList.size())
        ShowAD(index);
}

void TFrmSortivo::WMADListReady()
{
    if (!QFileInfo::exists(AppPath + SupFolderName + ADCacheFileName))
        return;
    try {
        LoadADList();
    } catch (const AppError &error) {
        // A cache that cannot be read is reported like any error of ours that
        // no caller handles; the strip keeps what it shows.
        MessageBoxes::showError(this, error.message());
        return;
    }
    // The new list's pictures are new files, whatever their indexes.
    ImageAD->setTag(-1);
    ShowFirstTextAD();
    ShowFirstPicAD();
}

void TFrmSortivo::OpenURL(const QString &url)
{
    // Surrounding blanks are no part of an address.
    const QString target = TrimBlanks(url);
    if (target.isEmpty())
        return;
    // The list arrives over plain HTTP: anything but a web or mail address
    // could start a program or open a local file, so it is dropped.
    if (!IsWebTarget(target))
        return;
    if (UrlOpener::open(target))
        return;
    // No program took the page: let the user pick one, where the desktop can.
    if (WantsHtmProgramChooser(target))
        UrlOpener::chooseProgram(target);
}

void TFrmSortivo::LabelADClick()
{
    ShowHomePage(FLabelADURL);
}

void TFrmSortivo::ImageADClick()
{
    OpenURL(FImageADURL);
}
