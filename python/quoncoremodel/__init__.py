"""The model objects of the QuonCoreModel module: texts, records and tables.

    import quoncoremodel as qcm

    wall = qcm.load("GeoAdjustInfo", open("wall.txt", "rb").read())
    wall.save()                    # the text, byte for byte, as bytes
    wall.to_dict()                 # the records, as `quonmodel dump` prints them
    wall.arrays()["otherScreens[0].points"]   # a grid as a NumPy array (rows x columns x 2)
    copy = qcm.from_dict("GeoAdjustInfo", wall.to_dict())

The module is loaded at the first call that needs it: the file named by the
environment variable QUONCOREMODEL_MODULE, else the one the package was built
or installed with.

Errors: a call into the module that fails raises Error (a RuntimeError; .hr
is the result), records refused raise ValueError naming their place
("$.entries: expected an array of 3 elements"), as does an exception the
module throws through its interface; an unknown class name raises KeyError.
"""

from ._core import Error, Object, classes, create, from_dict, load

__all__ = ["Error", "Object", "classes", "create", "from_dict", "load"]
