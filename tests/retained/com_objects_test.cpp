#include <gtest/gtest.h>

#include "retained/d3drm_api.h"

namespace {

template <class Interface>
Interface* Ask(IUnknown* object, const IID& iid) {
    void* answer = nullptr;
    EXPECT_EQ(object->QueryInterface(iid, &answer), S_OK);
    return static_cast<Interface*>(answer);
}

// An object answering through two unrelated interfaces is still one object: each IID gets its
// own part, IUnknown is the same whichever part is asked, and one count serves both, so the
// object lives until the last reference goes, through whichever interface that is.
template <class First, class Second, class UseSecond>
void ExpectOneObjectBehind(First* first, const IID& firstId, const IID& secondId, const IID& foreignId,
                           UseSecond useSecond) {
    Second* second = Ask<Second>(first, secondId);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(static_cast<void*>(second), static_cast<void*>(first));
    useSecond(second);
    First* firstAgain = Ask<First>(second, firstId);
    EXPECT_EQ(firstAgain, first);
    IUnknown* identity = Ask<IUnknown>(second, IID_IUnknown);
    EXPECT_EQ(identity, static_cast<IUnknown*>(first));
    IUnknown* identityAgain = Ask<IUnknown>(first, IID_IUnknown);
    EXPECT_EQ(identityAgain, identity);
    EXPECT_EQ(second->AddRef(), 6u);
    EXPECT_EQ(first->Release(), 5u);

    // Refused questions hand out nothing and take no reference.
    void* answer = &answer;
    EXPECT_EQ(second->QueryInterface(foreignId, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(first->QueryInterface(IID_IDirect3DRMFrame, &answer), E_NOINTERFACE);
    EXPECT_EQ(second->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(first->QueryInterface(secondId, nullptr), E_POINTER);
    EXPECT_EQ(first->AddRef(), 6u);

    EXPECT_EQ(identityAgain->Release(), 5u);
    EXPECT_EQ(identity->Release(), 4u);
    EXPECT_EQ(firstAgain->Release(), 3u);
    EXPECT_EQ(first->Release(), 2u);
    EXPECT_EQ(second->Release(), 1u);
    EXPECT_EQ(second->Release(), 0u);  // made as the first interface, freed through the second
}

TEST(ComObjects, TheRootIsOneObjectBehindBothOfItsInterfaces) {
    IDirect3DRM* d3drm = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&d3drm), D3DRM_OK);
    ExpectOneObjectBehind<IDirect3DRM, IDirect3DRM2>(
        d3drm, IID_IDirect3DRM, IID_IDirect3DRM2, IID_IDirectDraw,
        [](IDirect3DRM2* d3drm2) { EXPECT_EQ(d3drm2->SetDefaultTextureShades(16), D3DRM_OK); });
}

TEST(ComObjects, DirectDrawIsOneObjectBehindItsDirect3DInterface) {
    IDirectDraw* directDraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    ExpectOneObjectBehind<IDirectDraw, IDirect3D>(
        directDraw, IID_IDirectDraw, IID_IDirect3D, IID_IDirect3DRM2,
        [](IDirect3D* direct3d) { EXPECT_EQ(direct3d->FindDevice(nullptr, nullptr), E_INVALIDARG); });
}

TEST(ComObjects, ASingleInterfaceObjectIsItsOwnIdentityAndRefusesTheRest) {
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
    IUnknown* identity = Ask<IUnknown>(clipper, IID_IUnknown);
    EXPECT_EQ(identity, static_cast<IUnknown*>(clipper));
    void* answer = &answer;
    EXPECT_EQ(clipper->QueryInterface(IID_IDirect3D, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(clipper->QueryInterface(IID_IDirectDrawClipper, nullptr), E_POINTER);
    EXPECT_EQ(identity->Release(), 1u);
    EXPECT_EQ(clipper->Release(), 0u);
}

}  // namespace
