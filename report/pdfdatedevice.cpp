#include "pdfdatedevice.h"

#include <QLocale>

namespace
{

// The writer puts its information dictionary and its metadata, with the
// dates, near the start.
constexpr int headLimit = 8192;

} // namespace

PdfDateDevice::PdfDateDevice(QIODevice &target, const QDateTime &date)
    : target(target),
      pdfDate("D:" + QLocale::c().toString(date, QStringLiteral("yyyyMMddHHmmss")).toLatin1()),
      xmpDate(QLocale::c().toString(date, QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1())
{
    // A device of its own with nothing to open: it only takes the mode.
    setOpenMode(QIODevice::WriteOnly);
}

void PdfDateDevice::close()
{
    if (!dated) {
        dateHead();
        passOn(head);
    }
    dated = true;
    QIODevice::close();
}

qint64 PdfDateDevice::readData(char *, qint64)
{
    return -1;
}

qint64 PdfDateDevice::writeData(const char *data, qint64 size)
{
    if (dated)
        return passOn(QByteArray::fromRawData(data, static_cast<int>(size))) ? size : -1;
    head.append(data, static_cast<int>(size));
    if (head.size() < headLimit)
        return size;
    dateHead();
    dated = true;
    return passOn(head) ? size : -1;
}

// Qt 5 dates the information dictionary's creation; Qt 6 its change as well,
// and the XML metadata three times.
void PdfDateDevice::dateHead()
{
    for (const char *key : {"/CreationDate (", "/ModDate ("})
        replaceValue(key, ')', pdfDate);
    for (const char *key : {"xmp:CreateDate=\"", "xmp:ModifyDate=\"", "xmp:MetadataDate=\""})
        replaceValue(key, '"', xmpDate);
}

// Blanks after the closing character, where the syntax allows them, make up
// for a shorter value.
void PdfDateDevice::replaceValue(const QByteArray &key, char closer, const QByteArray &value)
{
    const int found = head.indexOf(key);
    if (found < 0)
        return;
    const int start = found + key.size();
    const int end = head.indexOf(closer, start);
    if (end >= 0 && end - start >= value.size())
        head.replace(start, end - start + 1,
                     value + closer + QByteArray(end - start - value.size(), ' '));
}

bool PdfDateDevice::passOn(const QByteArray &bytes)
{
    return target.write(bytes) == bytes.size();
}
