// A GPX 1.1 document with one track of one segment, written point by point. Speed
// (m/s) and course go into the Garmin track point extension that mapping tools read.
// Whatever the names given, the document is well-formed XML.
#pragma once

#include <QXmlStreamWriter>

class QIODevice;
struct GpsTrackPoint;

class CGpxWriter
{
public:
    explicit CGpxWriter(QIODevice *pDevice);

    void begin(const QString &strTrackName);
    void addPoint(const GpsTrackPoint &point);
    // Closes the document; false when the device refused a write.
    bool end();
    int pointCount() const { return m_nPoints; }

    // The text without the characters XML 1.0 cannot hold.
    static QString xmlSafe(const QString &strText);

private:
    // The document is written as text and handed to the device in UTF-8 in larger pieces.
    void flush(int nAtLeast);

    QIODevice *m_pDevice;
    QString m_strText;
    QXmlStreamWriter m_xml;
    int m_nPoints = 0;
    bool m_bDeviceOk = true;
};
