# What the plug-ins' version resources say about the product. Both plug-ins carry the same
# product values; each has its own file description.
set(KX_COMPANY_NAME "VESTRAL ORBINE")
set(KX_PRODUCT_NAME "VRX48T7-PSN PostScript Driver")
set(KX_PRODUCT_VERSION_MAJOR 1)
set(KX_PRODUCT_VERSION_MINOR 0)
set(KX_PRODUCT_VERSION_PATCH 0)
set(KX_PRODUCT_VERSION_BUILD 1)
set(KX_PRODUCT_VERSION
    "${KX_PRODUCT_VERSION_MAJOR}.${KX_PRODUCT_VERSION_MINOR}.${KX_PRODUCT_VERSION_PATCH}.${KX_PRODUCT_VERSION_BUILD}")
# The release date of this version (month/day/year), as the driver package states it.
set(KX_PRODUCT_DATE "12/08/2026")
set(KX_LEGAL_COPYRIGHT "Copyright (C) 2026 VESTRAL ORBINE. All rights reserved.")
set(KX_PSPLUGIN_DESCRIPTION "VRX48T7-PSN PostScript rendering plug-in")
set(KX_UIPLUGIN_DESCRIPTION "VRX48T7-PSN PostScript UI plug-in")
