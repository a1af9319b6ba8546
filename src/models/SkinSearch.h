// Finds the skin image an MD2 model names: each name of its skin table as written (inside the model's
// folder), then by base name in the model's folder with the extensions pcx, png, tga, bmp and jpg.
// A name that is absolute or climbs with ".." is only looked up by base name, so a model file never
// makes the viewer read outside its folder; a model naming no skin is looked up by its own base name.
#pragma once

#include <string>
#include <vector>

class CSkinSearch {
public:
    // The first candidate that is a file, or empty; `tried` receives every candidate looked at.
    static std::string Find(const std::string& modelPath, const std::vector<std::string>& skinNames,
                            std::vector<std::string>& tried);
};
