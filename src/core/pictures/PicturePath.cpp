#include "core/pictures/PicturePath.h"

std::string NormalisePicturePath(std::string_view path)
{
    std::string collapsed;
    collapsed.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        collapsed += path[i];
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\')
            ++i;
    }
    for (char& c : collapsed) {
        if (c == '\\')
            c = '/';
    }
    return collapsed;
}

std::string PictureFolderOf(std::string_view databasePath)
{
#ifdef _WIN32
    // The folder part keeps its last separator; a backslash there gives a
    // doubled one in the joined text, which the normalisation collapses.
    const auto slash = databasePath.find_last_of("\\/");
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : databasePath.substr(0, slash + 1);
    const bool windowsStyle = folder.find('\\') != std::string_view::npos;
    return NormalisePicturePath(std::string(folder) + (windowsStyle ? "\\img\\" : "img/"));
#else
    const auto slash = databasePath.find_last_of('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : databasePath.substr(0, slash + 1);
    return std::string(folder) + "img/";
#endif
}

std::string PictureFile(std::string_view folder, std::string_view name)
{
    return std::string(folder) + NormalisePicturePath(name);
}
