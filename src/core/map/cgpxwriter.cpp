#include "cgpxwriter.h"

#include "cgpstrack.h"

#include <QDateTime>
#include <QIODevice>
#include <QStringList>

namespace {
const char *const kGpxNamespace = "http://www.topografix.com/GPX/1/1";
const char *const kSchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";
const char *const kTrackPointExtension = "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";
const char *const kSchemaLocation = "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd "
                                    "http://www.garmin.com/xmlschemas/TrackPointExtension/v2 "
                                    "http://www.garmin.com/xmlschemas/TrackPointExtensionv2.xsd";
const double kKmhPerMetreSecond = 3.6;
const int FLUSH_CHARACTERS = 1 << 16;

QString isoTime(const QDateTime &time)
{
    const QDateTime utc = time.toUTC();
    const QDate d = utc.date();
    const QTime t = utc.time();
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", d.year(), d.month(), d.day(), t.hour(), t.minute(),
                             t.second());
}

bool isXmlChar(uint code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}
} // namespace

CGpxWriter::CGpxWriter(QIODevice *pDevice)
    : m_pDevice(pDevice)
    , m_xml(&m_strText)
{
    m_xml.setAutoFormatting(true);
    m_xml.setAutoFormattingIndent(1);
}

QString CGpxWriter::xmlSafe(const QString &strText)
{
    QString strSafe;
    for (uint code : strText.toUcs4())
        if (isXmlChar(code)) strSafe.append(QString::fromUcs4(&code, 1));
    return strSafe;
}

void CGpxWriter::begin(const QString &strTrackName)
{
    // Written as text, the writer would leave the encoding out of the declaration.
    m_strText = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    m_xml.writeDefaultNamespace(kGpxNamespace);
    m_xml.writeNamespace(kSchemaInstance, "xsi");
    m_xml.writeNamespace(kTrackPointExtension, "gpxtpx");
    m_xml.writeStartElement(kGpxNamespace, "gpx");
    m_xml.writeAttribute("version", "1.1");
    m_xml.writeAttribute("creator", "Korvane");
    m_xml.writeAttribute(kSchemaInstance, "schemaLocation", kSchemaLocation);
    m_xml.writeStartElement(kGpxNamespace, "metadata");
    m_xml.writeTextElement(kGpxNamespace, "name", xmlSafe(strTrackName));
    m_xml.writeTextElement(kGpxNamespace, "desc",
                           "Positions from the recording's GPS information; times in UTC from the recorder's clock "
                           "read in the time zone of the exporting machine.");
    m_xml.writeEndElement();
    m_xml.writeStartElement(kGpxNamespace, "trk");
    m_xml.writeTextElement(kGpxNamespace, "name", xmlSafe(strTrackName));
    m_xml.writeStartElement(kGpxNamespace, "trkseg");
}

void CGpxWriter::addPoint(const GpsTrackPoint &point)
{
    m_xml.writeStartElement(kGpxNamespace, "trkpt");
    m_xml.writeAttribute("lat", QString::asprintf("%.9f", point.dLatitude));
    m_xml.writeAttribute("lon", QString::asprintf("%.9f", point.dLongitude));
    if (point.time.isValid())
        m_xml.writeTextElement(kGpxNamespace, "time", isoTime(point.time));
    if (point.hasSpeed() || point.hasCourse()) {
        QStringList motion;
        if (point.hasSpeed()) motion << QString::asprintf("speed %.2f km/h", double(point.fSpeed));
        if (point.hasCourse()) motion << QString::asprintf("course %.2f", double(point.fCourse));
        m_xml.writeTextElement(kGpxNamespace, "desc", motion.join(", "));
        m_xml.writeStartElement(kGpxNamespace, "extensions");
        m_xml.writeStartElement(kTrackPointExtension, "TrackPointExtension");
        if (point.hasSpeed())
            m_xml.writeTextElement(kTrackPointExtension, "speed",
                                   QString::asprintf("%.3f", double(point.fSpeed) / kKmhPerMetreSecond));
        if (point.hasCourse())
            m_xml.writeTextElement(kTrackPointExtension, "course", QString::asprintf("%.2f", double(point.fCourse)));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
    ++m_nPoints;
    flush(FLUSH_CHARACTERS);
}

void CGpxWriter::flush(int nAtLeast)
{
    if (m_strText.size() < nAtLeast) return;
    const QByteArray text = m_strText.toUtf8();
    m_bDeviceOk = m_pDevice->write(text) == text.size() && m_bDeviceOk;
    m_strText.clear();
}

bool CGpxWriter::end()
{
    m_xml.writeEndDocument(); // closes trkseg, trk and gpx
    flush(0);
    return m_bDeviceOk && !m_xml.hasError();
}
