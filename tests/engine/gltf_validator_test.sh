#!/usr/bin/env bash
# Writes glTF binary surfaces with 'wavelore-render mesh' (2pz, split by the
# sign of ψ, the 4f average, and the complex 2p m=+1 with vertex colours) and checks them with the Khronos glTF
# validator (npm's gltf-validator, installed by scripts/setup where Node is
# present). Fails on any error or warning; skipped without Node or the
# validator.
# Usage: gltf_validator_test.sh PATH_TO_WAVELORE_RENDER
set -u
tool=$1
for t in node npm; do
  command -v "$t" >/dev/null || { echo "skipped: $t is not installed"; exit 77; }
done
NODE_PATH=$(npm root -g)
export NODE_PATH
node -e 'require("gltf-validator")' 2>/dev/null ||
  { echo "skipped: gltf-validator is not installed (npm install -g gltf-validator)"; exit 77; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" mesh --orbital 2Pz --enclose 0.9 -o "$dir/2pz.glb" || exit 1
"$tool" mesh --orbital 4F --average --enclose 0.5 -o "$dir/4f.glb" || exit 1
"$tool" mesh --nlm 2,1,1 --complex --enclose 0.9 -o "$dir/2p1c.glb" || exit 1

node - "$dir/2pz.glb" "$dir/4f.glb" "$dir/2p1c.glb" <<'JS'
const validator = require("gltf-validator");
const fs = require("fs");
(async () => {
  let bad = 0;
  for (const file of process.argv.slice(2)) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)),
                                                  { maxIssues: 20 });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints`);
    for (const m of issues.messages) console.log(`  ${m.code} ${m.pointer || ""}: ${m.message}`);
    if (issues.numErrors > 0 || issues.numWarnings > 0) bad = 1;
  }
  process.exit(bad);
})().catch((e) => { console.log(`validator failed: ${e}`); process.exit(1); });
JS
