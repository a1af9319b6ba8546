// Runs the Khronos glTF validator (installed beside this run's node_modules by GltfValidator.cpp) on
// one .glb or .gltf file and prints its report as JSON; files a .gltf names are read from its folder.
// usage: node validate-gltf.js MODULES_FOLDER FILE
"use strict";
const fs = require("fs");
const path = require("path");
const validator = require(path.join(process.argv[2], "node_modules", "gltf-validator"));
const file = path.resolve(process.argv[3]);

validator
  .validateBytes(new Uint8Array(fs.readFileSync(file)), {
    uri: path.basename(file),
    maxIssues: 100,
    externalResourceFunction: (uri) =>
      fs.promises.readFile(path.resolve(path.dirname(file), decodeURIComponent(uri))).then((data) => new Uint8Array(data)),
  })
  .then(
    (report) => console.log(JSON.stringify(report, null, 2)),
    (failure) => {
      console.error(String(failure));
      process.exit(1);
    }
  );
