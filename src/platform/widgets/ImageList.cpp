#include "platform/widgets/ImageList.h"

ImageList::ImageList(const QString &stripResource, int width, int height) : m_size(width, height)
{
    const QPixmap strip(stripResource);
    for (int x = 0; x + width <= strip.width(); x += width)
        m_pictures.append(strip.copy(x, 0, width, height));
}

QPixmap ImageList::picture(int index) const
{
    if (index < 0 || index >= m_pictures.size())
        return QPixmap();
    return m_pictures[index];
}

ImageList::ImageList(const QStringList &pictureResources)
{
    for (const QString &resource : pictureResources) {
        m_pictures.append(QPixmap(resource));
        m_size = m_size.expandedTo(m_pictures.last().size());
    }
}
