// ImageList1: the program's own small pictures, drawn rather than loaded so that nothing
// has to be shipped beside the program.
#pragma once

#include <QIcon>
#include <QList>

namespace ui {

// Image numbers as the command table and the job rows use them.
enum ImageNumber : int {
    kImageWaiting = 1,
    kImageConverted = 2,
    kImageConvertAll = 3,
    kImageConvertSelected = 4,
    kImageDirectories = 5,
    kImageOptions = 6,
    kImageHelp = 7,
    kImageAbout = 8,
    // A job whose last conversion failed: it still waits, but must not look like a job that
    // only waits.
    kImageFailed = 9,
};

class ImageList {
public:
    static constexpr int kCount = 9;
    static constexpr int kSize = 16;

    ImageList();
    // Image `number` (1 to kCount); any other number gives an empty icon.
    QIcon image(int number) const;
    int count() const { return static_cast<int>(images_.size()); }

private:
    QList<QIcon> images_;
};

} // namespace ui
