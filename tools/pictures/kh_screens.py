def pictures():
    return []
