// Coordinates between the map systems: WGS-84 (what GPS receivers give), GCJ-02
// (the offset system of the Gaode and Google maps of China) and BD-09 (Baidu's
// further offset), and the position check every shown or exported point passes.
// The map view and korvane-cli convert with the same functions.
#pragma once

struct GeoPoint {
    double dLongitude;
    double dLatitude;
};

class CCoordTransform
{
public:
    enum Datum { datumWgs84 = 0, datumGcj02, datumBd09 };

    // Outside the box where GCJ-02 applies (longitude 72.004..137.8374, latitude 0.8293..55.8271).
    static bool IsOutOfChina(const GeoPoint &point);
    // The published transformation on the Krasovsky ellipsoid; points outside the box stay as they are.
    static GeoPoint Wgs84ToGcj02(const GeoPoint &point);
    static GeoPoint Gcj02ToBd09(const GeoPoint &point);
    // A WGS-84 point in the datum: BD-09 goes through GCJ-02 (whose box check applies).
    static GeoPoint FromWgs84(Datum datum, const GeoPoint &point);
    // The datum a map page expects: Baidu BD-09; Gaode and Google GCJ-02 unless the
    // outside-China flag is set; OpenStreetMap (type 3) and everything else WGS-84.
    static Datum DatumForMap(int nMapType, int nOutChina);
    // A position worth drawing: finite, latitude within ±90, longitude within ±180,
    // and not the 0/0 a receiver without a fix reports.
    static bool IsValidPosition(double dLatitude, double dLongitude);
};
