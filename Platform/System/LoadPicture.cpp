#include "LoadPicture.h"

#include "../Value/RuntimeError.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform {

namespace {

bool tooLarge(const QSize &size)
{
    return qint64(size.width()) * qint64(size.height()) * 4 > MaxPictureBytes;
}

// The reader's allocation limit is process-wide; it is raised to ours for one read only.
class AllocationLimitScope
{
public:
    explicit AllocationLimitScope(int megabytes) : m_previous(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(megabytes);
    }
    ~AllocationLimitScope() { QImageReader::setAllocationLimit(m_previous); }
    AllocationLimitScope(const AllocationLimitScope &) = delete;
    AllocationLimitScope &operator=(const AllocationLimitScope &) = delete;

private:
    int m_previous;
};

} // namespace

std::shared_ptr<StdPicture> LoadPicture(const QString &fileName)
{
    if (fileName.isEmpty())
        return StdPicture::empty();
    const QFileInfo info(fileName);
    if (!info.exists())
        throw RuntimeError(ErrorNumber::FileNotFound, fileName);
    if (!info.isFile() || !info.isReadable())
        throw RuntimeError(ErrorNumber::PathFileAccessError, fileName);

    QImageReader reader(fileName);
    // The content decides, so a picture under another extension still loads.
    reader.setDecideFormatFromContent(true);
    const QSize declared = reader.size();
    if (declared.isValid() && tooLarge(declared))
        throw RuntimeError(ErrorNumber::OutOfMemory,
            QStringLiteral("%1 (%2 x %3 pixels)")
                .arg(fileName)
                .arg(declared.width())
                .arg(declared.height()));

    QImage image;
    {
        const AllocationLimitScope limit(int(MaxPictureBytes / (1024 * 1024)));
        if (!reader.read(&image))
            throw RuntimeError(ErrorNumber::InvalidPicture, fileName);
    }
    // A format that does not tell its size up front is checked once decoded, before the
    // picture widens it to 32 bits.
    if (tooLarge(image.size()))
        throw RuntimeError(ErrorNumber::OutOfMemory, fileName);
    return StdPicture::fromImage(image);
}

} // namespace platform
