# Read by cpack before it packs: the members of the package carry the
# build's one date, not the time they were packed.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_PURUMOKE_SOURCE_DATE_EPOCH})
