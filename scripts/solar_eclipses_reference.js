// Solar eclipses from astronomy-engine (npm), an independent ephemeris,
// for tests/data/solar_eclipses_astronomy_engine.tsv:
//   npm install astronomy-engine@2.1.19 (in a scratch folder)
//   NODE_PATH=<folder>/node_modules node scripts/solar_eclipses_reference.js
// Instants are Julian Days of UT with astronomy-engine's own delta T
// (Espenak and Meeus), given in seconds beside each eclipse.
const A = require('astronomy-engine');
const path = require('path');
const version = require(path.join(path.dirname(require.resolve('astronomy-engine')), 'package.json')).version;
const jd = (t) => (t.ut + 2451545).toFixed(8);
const dt = (t) => ((t.tt - t.ut) * 86400).toFixed(3);
const sites = [
  ['sapporo', 43.0621, 141.3544], ['tokyo', 35.6895, 139.6917], ['naha', 26.2124, 127.6809],
  ['reykjavik', 64.1466, -21.9426], ['sydney', -33.8688, 151.2093],
];
console.log(`# Solar eclipses from astronomy-engine ${version} (npm), its own ephemeris and delta T,`);
console.log('# by scripts/solar_eclipses_reference.js. Julian Days of UT; delta T in seconds.');
console.log('# G kind peak deltaT distance-km(axis from the Earth\'s centre) obscuration');
console.log('# L site kind partial-begin total-begin peak total-end partial-end deltaT obscuration');
console.log('#   altitude-at-begin altitude-at-peak altitude-at-end (refraction included); 0 for no contact');
let e = A.SearchGlobalSolarEclipse(new Date(Date.UTC(1950, 0, 1)));
while (e.peak.date < new Date(Date.UTC(2100, 0, 1))) {
  console.log(['G', e.kind, jd(e.peak), dt(e.peak), e.distance.toFixed(1),
               e.obscuration === undefined ? '' : e.obscuration.toFixed(5)].join('\t'));
  e = A.NextGlobalSolarEclipse(e.peak);
}
for (const [name, lat, lon] of sites) {
  const obs = new A.Observer(lat, lon, 0);
  let l = A.SearchLocalSolarEclipse(new Date(Date.UTC(2000, 11, 31, 15)), obs);
  while (l.peak.time.date < new Date(Date.UTC(2100, 11, 31, 15))) {
    const t = (ev) => ev ? jd(ev.time) : '0';
    console.log(['L', name, l.kind, t(l.partial_begin), t(l.total_begin), t(l.peak), t(l.total_end),
                 t(l.partial_end), dt(l.peak.time), l.obscuration.toFixed(5),
                 l.partial_begin.altitude.toFixed(3), l.peak.altitude.toFixed(3),
                 l.partial_end.altitude.toFixed(3)].join('\t'));
    l = A.NextLocalSolarEclipse(l.peak.time, obs);
  }
}
