'use strict';
// Writes an ADI file with tcadif, an ADIF library of another author, from a
// JSON description of its records on standard input:
//
//   { "qsos": [ { "CALL": "F5ABC", ... }, ... ],
//     "header": true,            // the header of tcadif, or none
//     "lowerCase": false,        // every tag in lower case
//     "encoding": "utf8",        // or "latin1" for Windows-1252 text
//     "free": { "NAME": "..." }  // fields written as they are, outside the
//                                // checks of tcadif (text outside ASCII),
//                                // by the index of their record: [{...}, ...]
//   }
//
//   node ecrit_adif.js <file.adi> < description.json

const fs = require('fs');
const { ADIF, Field } = require('tcadif');

const description = JSON.parse(fs.readFileSync(0, 'utf8'));
const adif = new ADIF({
    header: description.header ? { ADIF_VER: '3.1.4', PROGRAMID: 'tcadif' } : undefined,
    qsos: description.qsos,
});
let text = adif.stringify();
if (!description.header)
    text = text.slice(text.indexOf('<'));

// Fields that tcadif checks as ASCII text go in before each <EOR>.
const free = description.free || [];
let record = 0;
text = text.replace(/<EOR>/g, () => {
    const fields = free[record++] || {};
    return Object.entries(fields).map(([name, value]) => Field.stringify(name, null, value)).join('\n')
        + '<EOR>';
});
if (description.lowerCase)
    text = text.replace(/<([A-Za-z_0-9]+)(:\d+(:[A-Za-z])?)?>/g, (tag) => tag.toLowerCase());
fs.writeFileSync(process.argv[2], Buffer.from(text, description.encoding || 'utf8'));
