#include "pdfdatedevice.h"

#include <QLocale>

namespace
{

// The writer puts its information dictionary, with the date, near the start.
constexpr int headLimit = 8192;

} // namespace

PdfDateDevice::PdfDateDevice(QIODevice &target, const QDateTime &date)
    : target(target),
      date("D:" + QLocale::c().toString(date, QStringLiteral("yyyyMMddHHmmss")).toLatin1())
{
    open(QIODevice::WriteOnly);
}

void PdfDateDevice::close()
{
    if (!dated)
        passOn(head);
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
    const int key = head.indexOf("/CreationDate (");
    const int start = key < 0 ? -1 : key + 15;
    const int end = start < 0 ? -1 : head.indexOf(')', start);
    if (end < 0 && head.size() < headLimit)
        return size;
    if (end >= 0 && end - start >= date.size())
        head.replace(start, end - start + 1,
                     date + ')' + QByteArray(end - start - date.size(), ' '));
    dated = true;
    return passOn(head) ? size : -1;
}

bool PdfDateDevice::passOn(const QByteArray &bytes)
{
    return target.write(bytes) == bytes.size();
}
