// Room windows come here.
