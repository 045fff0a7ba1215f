#include "picture/Form12.h"

#include "app/ArtResources.h"
#include "resources/ArtIds.h"

Form12::Form12() {
    Caption(L"图片原图").ClientSize(9120, 9465).StartUpPosition(rt::StartUpPosition::CenterScreen);
    Icon(app::ResourceIcon(IDI_FORM12));
}
