// What the map pages of Korvane share: the functions the program calls, the state they
// keep (markers, tracks, whether the map follows the marker), the channel to the
// program's "bridge" object, and the notice a page shows when its map cannot load.
// Each page hands over its own map through korvaneAttach once the map exists; until
// then the functions only keep the state, and the page draws all of it when it attaches.
// The program passes every value as a string of digits; nothing here evaluates text.
'use strict';

var korvane = {
    map: null,        // the page's map: drawMarker, drawPath, center, and optionally address and state
    markers: {},      // index -> {lng, lat, shown, direction}
    paths: {},        // index -> [[lng, lat], ...]
    follow: true,     // the map follows the marker until the user moves it
    failed: false,
    failure: '',
    bridge: null,
    redrawQueued: {}
};

// A text of the page in the program's language (the program sets korvaneTexts before the
// page's scripts run); %1 is replaced by arg.
function korvaneTr(text, arg) {
    var texts = window.korvaneTexts || {};
    var translated = Object.prototype.hasOwnProperty.call(texts, text) ? String(texts[text]) : text;
    return arg === undefined ? translated : translated.replace('%1', String(arg));
}

function korvaneNumber(value) {
    var n = parseFloat(value);
    return isFinite(n) ? n : NaN;
}

function korvaneIndex(value) {
    var n = parseInt(value, 10);
    return isFinite(n) && n >= 0 ? n : -1;
}

function korvaneValid(lng, lat) {
    return isFinite(lng) && isFinite(lat) && Math.abs(lat) <= 90 && Math.abs(lng) <= 180;
}

function korvaneMarker(index) {
    if (!korvane.markers[index])
        korvane.markers[index] = { lng: NaN, lat: NaN, shown: false, direction: -1 };
    return korvane.markers[index];
}

function korvaneDrawMarker(index) {
    var m = korvane.markers[index];
    if (korvane.map && m && korvaneValid(m.lng, m.lat))
        korvane.map.drawMarker(index, m);
}

// Tracks are drawn once per turn of the event loop, however many points arrived.
function korvaneDrawPath(index) {
    if (!korvane.map || korvane.redrawQueued[index])
        return;
    korvane.redrawQueued[index] = true;
    setTimeout(function () {
        korvane.redrawQueued[index] = false;
        if (korvane.map)
            korvane.map.drawPath(index, korvane.paths[index] || []);
    }, 0);
}

function korvanePlace(lng, lat, index, zoomIn) {
    lng = korvaneNumber(lng);
    lat = korvaneNumber(lat);
    index = korvaneIndex(index);
    if (index < 0 || !korvaneValid(lng, lat))
        return -1;
    var m = korvaneMarker(index);
    var first = !korvaneValid(m.lng, m.lat);
    m.lng = lng;
    m.lat = lat;
    korvaneDrawMarker(index);
    if (korvane.map && korvane.follow)
        korvane.map.center(lng, lat, first && zoomIn);
    return index;
}

function setMarker(lng, lat, index, path) {
    var i = korvaneIndex(index);
    if (i >= 0)
        korvaneMarker(i).shown = true;
    if (korvanePlace(lng, lat, index, true) >= 0 && korvaneIndex(path) > 0)
        pushPathPoint(index, lng, lat);
}

// A marker moved before it was ever placed is shown where it lands.
function moveMarker(lng, lat, index) {
    var i = korvaneIndex(index);
    if (i >= 0 && !korvaneValid(korvaneMarker(i).lng, korvaneMarker(i).lat))
        korvaneMarker(i).shown = true;
    korvanePlace(lng, lat, index, true);
}

function reSetMarker(index) {
    index = korvaneIndex(index);
    if (index < 0 || !korvane.markers[index])
        return;
    korvane.markers[index].shown = false;
    korvaneDrawMarker(index);
}

function showMarker(index) {
    index = korvaneIndex(index);
    if (index < 0)
        return;
    korvaneMarker(index).shown = true;
    korvaneDrawMarker(index);
}

function setCenterObj(index) {
    var m = korvane.markers[korvaneIndex(index)];
    if (korvane.map && m && korvaneValid(m.lng, m.lat))
        korvane.map.center(m.lng, m.lat, false);
}

function setCenter(lng, lat) {
    lng = korvaneNumber(lng);
    lat = korvaneNumber(lat);
    if (korvane.map && korvaneValid(lng, lat))
        korvane.map.center(lng, lat, false);
}

function setCenterOnEnable(enable) {
    korvane.follow = korvaneIndex(enable) > 0;
    if (korvane.map && korvane.map.followChanged)
        korvane.map.followChanged(korvane.follow);
    if (korvane.follow)
        for (var i in korvane.markers)
            if (korvane.markers[i].shown)
                setCenterObj(i);
}

function setMarkerIcon(index, direction) {
    index = korvaneIndex(index);
    var d = korvaneNumber(direction);
    if (index < 0)
        return;
    korvaneMarker(index).direction = isFinite(d) && d >= 0 && d <= 360 ? d : -1;
    korvaneDrawMarker(index);
}

function pushPathPoint(index, lng, lat) {
    index = korvaneIndex(index);
    lng = korvaneNumber(lng);
    lat = korvaneNumber(lat);
    if (index < 0 || !korvaneValid(lng, lat))
        return;
    (korvane.paths[index] = korvane.paths[index] || []).push([lng, lat]);
    korvaneDrawPath(index);
}

function resetPath(index) {
    index = korvaneIndex(index);
    if (index < 0)
        return;
    korvane.paths[index] = [];
    korvaneDrawPath(index);
}

function getAddress(index, lng, lat) {
    index = korvaneIndex(index);
    lng = korvaneNumber(lng);
    lat = korvaneNumber(lat);
    if (index < 0 || !korvaneValid(lng, lat))
        return;
    if (korvane.map && korvane.map.address)
        korvane.map.address(index, lng, lat);
    else
        korvaneAddress(index, '');
}

function korvaneAddress(index, text) {
    if (korvane.bridge)
        korvane.bridge.setAddress(index, String(text || ''));
}

// The page's map exists: it draws everything kept so far.
function korvaneAttach(map) {
    korvane.map = map;
    var centred = false;
    for (var i in korvane.markers) {
        korvaneDrawMarker(i);
        var m = korvane.markers[i];
        if (!centred && m.shown && korvaneValid(m.lng, m.lat)) {
            map.center(m.lng, m.lat, true);
            centred = true;
        }
    }
    for (var p in korvane.paths)
        korvaneDrawPath(p);
}

// The user dragged the map: it stays where the user put it until following is asked for again.
function korvaneUserMoved() {
    setCenterOnEnable('0');
}

// A failure while the head still loads is shown once the body exists.
function korvaneShowFailure() {
    var notice = document.getElementById('notice');
    if (!korvane.failed || !notice)
        return;
    notice.textContent = korvane.failure;
    notice.style.display = 'block';
}

function korvaneFail(text) {
    if (korvane.failed)
        return;
    korvane.failed = true;
    korvane.failure = String(text);
    korvaneShowFailure();
    if (korvane.bridge)
        korvane.bridge.loadFailed(1);
}

document.addEventListener('DOMContentLoaded', korvaneShowFailure);

// What the page holds and, when its map exists, what it has drawn.
function korvaneState() {
    var paths = {};
    for (var i in korvane.paths)
        paths[i] = korvane.paths[i].length;
    return JSON.stringify({
        ready: korvane.map !== null,
        failed: korvane.failed,
        failure: korvane.failure,
        follow: korvane.follow,
        markers: korvane.markers,
        paths: paths,
        drawn: korvane.map && korvane.map.state ? korvane.map.state() : null
    });
}

(function connectBridge() {
    if (typeof qt === 'undefined' || !qt.webChannelTransport || typeof QWebChannel === 'undefined')
        return;
    new QWebChannel(qt.webChannelTransport, function (channel) {
        korvane.bridge = channel.objects.bridge;
        if (korvane.failed && korvane.bridge)
            korvane.bridge.loadFailed(1);
    });
})();
