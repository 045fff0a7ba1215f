#pragma once
// An image list: pictures added under string keys and shown as images of one size (32 x 32 in
// the thumbnail view). Each picture is scaled smoothly into that size with its proportions
// kept and transparent margins, and only that small image is kept: the list holds no reference
// to the picture added, so a folder of large photos costs a few kilobytes an image. A text tag
// per image says where it came from. Indices are 1-based.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/picture/StdPicture.h"

namespace ctl {

class ImageList {
public:
    ImageList() = default;
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Image size in pixels. 0 (the start) takes the first picture's size. Changing it while the
    // list holds images raises error 380; setting the same value again is allowed.
    int ImageWidth() const { return m_width; }
    void SetImageWidth(int width);
    int ImageHeight() const { return m_height; }
    void SetImageHeight(int height);

    // Adds the picture as the last image; returns its index. A key already in the list raises
    // 35602, a missing picture 380, a picture too large to scale 7. An empty key is allowed and
    // never matches.
    int Add(const std::wstring& key, const rt::PictureRef& picture, std::wstring tag = {});
    // Removes every image.
    void Clear();

    int Count() const { return static_cast<int>(m_entries.size()); }
    // The index of the image with the key, 0 when there is none.
    int IndexOf(const std::wstring& key) const;
    // Indices outside 1..Count raise 35600.
    const std::wstring& Key(int index) const;
    const std::wstring& Tag(int index) const;
    // A new icon made from image n as the list shows it.
    rt::PictureRef ExtractIcon(int index) const;

    // The system image list (nullptr before the first image).
    HIMAGELIST Handle() const { return m_list; }

private:
    struct Entry {
        std::wstring key;
        std::wstring tag;
    };
    void CheckIndex(int index) const;
    void CreateList(const rt::StdPicture& first);

    HIMAGELIST m_list = nullptr;
    int m_width = 0;
    int m_height = 0;
    std::vector<Entry> m_entries;
    std::unordered_map<std::wstring, int> m_indexOfKey;  // a folder's thousands of thumbnails each look one up
};

}  // namespace ctl
