#pragma once

// The catalogues the whole-program benchmark works on, written as the
// wholesaler delivers them: products with realistic Russian names and
// article codes, and 2000 x 1500 product photographs.

#include <QSize>
#include <QString>
#include <string>

namespace Bench {

// Pictures p1.jpg ... p4.jpg; every product names some of them.
inline const QSize kPictureSize(2000, 1500);
constexpr int kPictures = 4;

// The catalogue folder: telvarin.db beside the picture folder.
struct CatalogueFolder
{
    QString Database;
    QString Pictures; // ends with "/"
};

// Writes `folder`/telvarin.db with `count` products and the pictures in
// `folder`/img/, unless `sharedPictures` names a folder that has them.
CatalogueFolder MakeCatalogueFolder(const QString& folder, int count,
                                    const QString& sharedPictures = {});

// The article code that comes last in the catalogue's order (ORDER BY SKU).
std::string LastArticleCode(int count);

} // namespace Bench
