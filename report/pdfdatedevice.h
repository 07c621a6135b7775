#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>

// Passes a PDF on to `target` as QPdfWriter writes it, with `date` in place
// of the dates that the writer takes from the clock, so that the same records
// give the same file byte for byte. The new dates are no longer than the
// writer's (they name no time zone), and blanks after them make up the
// difference: every offset in the file stays as the writer counted it.
class PdfDateDevice : public QIODevice
{
  public:
    // Called by the course report before the writer starts; opens itself.
    PdfDateDevice(QIODevice &target, const QDateTime &date);

    // Called by the course report once the writer has finished: passes on
    // what is still held back.
    void close() override;

  protected:
    qint64 readData(char *data, qint64 size) override;
    qint64 writeData(const char *data, qint64 size) override;

  private:
    void dateHead();
    void replaceValue(const QByteArray &key, char closer, const QByteArray &value);
    bool passOn(const QByteArray &bytes);

    QIODevice &target;
    QByteArray pdfDate;
    QByteArray xmpDate;
    QByteArray head; // held back until the date has gone by
    bool dated = false;
};
