#pragma once

#include <QPixmap>
#include <QVector>

// A list of equally sized pictures cut from a horizontal strip.
class ImageList
{
public:
    ImageList() = default;
    ImageList(const QString &stripResource, int width, int height);
    explicit ImageList(const QStringList &pictureResources);

    int count() const { return int(m_pictures.size()); }
    QPixmap picture(int index) const;
    QSize size() const { return m_size; }

private:
    QVector<QPixmap> m_pictures;
    QSize m_size;
};
