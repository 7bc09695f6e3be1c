#include "ccoordtransform.h"

#include "common/cglobalappdata.h"

#include <cmath>

namespace {
const double kPi = M_PI;
const double kXPi = kPi * 3000.0 / 180.0;
const double kKrasovskyA = 6378245.0;
const double kKrasovskyEe = 0.006693421622965943;

double transformLatitude(double x, double y)
{
    double ret = -100.0 + 2.0 * x + 3.0 * y + 0.2 * y * y + 0.1 * x * y + 0.2 * std::sqrt(std::fabs(x));
    ret += (20.0 * std::sin(6.0 * x * kPi) + 20.0 * std::sin(2.0 * x * kPi)) * 2.0 / 3.0;
    ret += (20.0 * std::sin(y * kPi) + 40.0 * std::sin(y / 3.0 * kPi)) * 2.0 / 3.0;
    ret += (160.0 * std::sin(y / 12.0 * kPi) + 320.0 * std::sin(y * kPi / 30.0)) * 2.0 / 3.0;
    return ret;
}

double transformLongitude(double x, double y)
{
    double ret = 300.0 + x + 2.0 * y + 0.1 * x * x + 0.1 * x * y + 0.1 * std::sqrt(std::fabs(x));
    ret += (20.0 * std::sin(6.0 * x * kPi) + 20.0 * std::sin(2.0 * x * kPi)) * 2.0 / 3.0;
    ret += (20.0 * std::sin(x * kPi) + 40.0 * std::sin(x / 3.0 * kPi)) * 2.0 / 3.0;
    ret += (150.0 * std::sin(x / 12.0 * kPi) + 300.0 * std::sin(x / 30.0 * kPi)) * 2.0 / 3.0;
    return ret;
}
} // namespace

bool CCoordTransform::IsOutOfChina(const GeoPoint &point)
{
    return point.dLongitude < 72.004 || point.dLongitude > 137.8374 || point.dLatitude < 0.8293 ||
           point.dLatitude > 55.8271;
}

GeoPoint CCoordTransform::Wgs84ToGcj02(const GeoPoint &point)
{
    if (IsOutOfChina(point)) return point;
    const double lng = point.dLongitude, lat = point.dLatitude;
    double dLat = transformLatitude(lng - 105.0, lat - 35.0);
    double dLng = transformLongitude(lng - 105.0, lat - 35.0);
    const double radLat = lat / 180.0 * kPi;
    double magic = std::sin(radLat);
    magic = 1 - kKrasovskyEe * magic * magic;
    const double sqrtMagic = std::sqrt(magic);
    dLat = (dLat * 180.0) / ((kKrasovskyA * (1 - kKrasovskyEe)) / (magic * sqrtMagic) * kPi);
    dLng = (dLng * 180.0) / (kKrasovskyA / sqrtMagic * std::cos(radLat) * kPi);
    return {lng + dLng, lat + dLat};
}

GeoPoint CCoordTransform::Gcj02ToBd09(const GeoPoint &point)
{
    const double x = point.dLongitude, y = point.dLatitude;
    const double z = std::sqrt(x * x + y * y) + 0.00002 * std::sin(y * kXPi);
    const double theta = std::atan2(y, x) + 0.000003 * std::cos(x * kXPi);
    return {z * std::cos(theta) + 0.0065, z * std::sin(theta) + 0.006};
}

GeoPoint CCoordTransform::FromWgs84(Datum datum, const GeoPoint &point)
{
    switch (datum) {
    case datumGcj02: return Wgs84ToGcj02(point);
    case datumBd09: return Gcj02ToBd09(Wgs84ToGcj02(point));
    default: return point;
    }
}

CCoordTransform::Datum CCoordTransform::DatumForMap(int nMapType, int nOutChina)
{
    if (nMapType == CGlobalAppData::mapBaidu) return datumBd09;
    if (nMapType == CGlobalAppData::mapOpenStreetMap) return datumWgs84;
    return nMapType > 0 && nOutChina == 0 ? datumGcj02 : datumWgs84;
}

bool CCoordTransform::IsValidPosition(double dLatitude, double dLongitude)
{
    if (!std::isfinite(dLatitude) || !std::isfinite(dLongitude)) return false;
    if (std::fabs(dLatitude) > 90.0 || std::fabs(dLongitude) > 180.0) return false;
    return dLatitude != 0.0 || dLongitude != 0.0;
}
