/// \class CSkinSearch
/// Finds the skin images an MD2 model names, as real skin tables name them, among the files beside the
/// model. Each entry of the table is reduced to its file name (folders dropped, backslashes read as
/// slashes, leading dots meaning "beside the model" dropped) and matched without regard to case:
///   1. the entry as written, when it stays inside the model's folder;
///   2. a file of that exact name;
///   3. an image whose name without its extension is the whole name ("container.005" finds
///      "container.005.png");
///   4. an image whose name without its extension is the name without its own ("skin.pcx" finds
///      "skin.png").
/// Where several images match, the extensions rank pcx, png, tga, bmp, jpg, jpeg. Entries are tried in
/// table order. When none leads to a file: an image named after the model ("tris.pcx" for "tris.md2"),
/// then the folder's only image, if it holds exactly one. Nothing outside the model's folder is read.
/// A model inside an archive ("pak0.pak:models/x/tris.md2", see CFileSystem) is searched for in the
/// same way among the entries of its folder in the archive, and its skins are named the same way.
#pragma once

#include <string>
#include <vector>

class CSkinSearch {
public:
    /// The skin the model wears: the first entry of the table that leads to a file, else the
    /// fallbacks; empty when nothing is found. `tried` receives a description of every name looked for.
    static std::string Find(const std::string& modelPath, const std::vector<std::string>& skinNames,
                            std::vector<std::string>& tried);
    /// Every skin the model can wear: the files the table's entries lead to, in table order and each
    /// once; when no entry leads to a file, the fallback alone (or nothing).
    static std::vector<std::string> FindAll(const std::string& modelPath,
                                            const std::vector<std::string>& skinNames);
    /// The same; `tried` receives a description of every name looked for, as Find gives it when
    /// nothing is found.
    static std::vector<std::string> FindAll(const std::string& modelPath,
                                            const std::vector<std::string>& skinNames,
                                            std::vector<std::string>& tried);
};
