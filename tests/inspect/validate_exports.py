"""Checks every export in a folder against the export's JSON Schema.

    validate_exports.py SCHEMA FOLDER
"""
import json
import pathlib
import sys

import jsonschema

schema = json.loads(pathlib.Path(sys.argv[1]).read_text(encoding="utf-8"))
jsonschema.Draft7Validator.check_schema(schema)
validator = jsonschema.Draft7Validator(schema)
exports = sorted(pathlib.Path(sys.argv[2]).glob("*.json"))
failed = 0
for export in exports:
    text = export.read_bytes()
    if not text:
        continue  # a report that could not be opened gives no export
    for error in validator.iter_errors(json.loads(text.decode("utf-8"))):
        print(f"{export.name}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
        failed += 1
if not exports:
    print("no exports to check")
    failed = 1
print(f"{len(exports)} exports checked, {failed} problems")
sys.exit(1 if failed else 0)
