# JPEG pictures are decoded by libjpeg (libjpeg-turbo).
find_package(JPEG REQUIRED)
target_link_libraries(${lib} PUBLIC JPEG::JPEG)
