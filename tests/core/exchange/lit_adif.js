'use strict';
// Reads an ADI file with tcadif, a strict reader of another author, record by
// record, and tells on standard output, as JSON, how many records it took
// and why it refused the others.
//
//   node lit_adif.js <file.adi>

const fs = require('fs');
const { Field, Header, QSO } = require('tcadif');

const bytes = fs.readFileSync(process.argv[2]);
let text = bytes.toString('latin1');
const result = { header: null, headerError: null, accepted: 0, rejected: 0, errors: [], qsos: [],
                 nonAscii: bytes.some(b => b > 0x7e || (b < 0x20 && b !== 0x0d && b !== 0x0a)) };

let fields = [];
for (;;) {
    const field = Field.parse(text);
    if (field === null)
        break;
    text = text.slice(field.bytesConsumed);
    if (field.fieldName === 'EOH') {
        try {
            result.header = new Header(Object.fromEntries(fields)).toObject();
        } catch (e) {
            result.headerError = `${e.message} ${JSON.stringify(e)}`;
        }
        fields = [];
    } else if (field.fieldName === 'EOR') {
        try {
            result.qsos.push(new QSO(Object.fromEntries(fields)).toObject());
            result.accepted++;
        } catch (e) {
            result.rejected++;
            result.errors.push(`${e.message} ${JSON.stringify(e)}`);
        }
        fields = [];
    } else {
        fields.push(field.toEntry());
    }
}
result.leftover = text.trim();
process.stdout.write(JSON.stringify(result));
